#pragma once

#include <QApplication>
#include <QWidget>

namespace velmor::test {

// The open top-level window of type W, or null.
template <typename W> W* openWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<W*>(widget)) {
            return window;
        }
    }
    return nullptr;
}

// Runs the deletions that closing windows scheduled.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace velmor::test
