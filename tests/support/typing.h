#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace velmor::test {

// Types a text one key event per character, as a keyboard sends Arabic
// (QTest::keyClicks cannot); a newline is the Return key.
inline void typeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        const int key = c == u'\n' ? Qt::Key_Return : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace velmor::test
