#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

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

// Once the event loop turns, hands the active modal dialog, if it is a W,
// to answer (which must close it). Any other dialog is rejected, so that a
// test fails instead of waiting on it for ever.
template <typename W, typename Answer> void answerModal(Answer answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* active = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<W*>(active)) {
            answer(*dialog);
            return;
        }
        ADD_FAILURE() << "no such dialog is open";
        if (auto* other = qobject_cast<QDialog*>(active)) {
            other->reject();
        }
    });
}

} // namespace velmor::test
