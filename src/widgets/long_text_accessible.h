#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace velmor {

// What a screen reader is given of a long text box: the text as it was
// given, without the line breaks the box puts in to show it a screenful at
// a time, with its caret and selection at their places in that text. A
// factory for QAccessible::installFactory.
QAccessibleInterface* longTextAccessible(const QString& className, QObject* object);

} // namespace velmor
