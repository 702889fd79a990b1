#include "first_show.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace velmor {

FirstShow::FirstShow(QWidget& window, std::function<void()> work)
    : QObject(&window), work_(std::move(work)) {
    window.installEventFilter(this);
}

bool FirstShow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && !shown_) {
        shown_ = true;
        QTimer::singleShot(0, this, [this] {
            if (!closed_) {
                work_();
            }
        });
    } else if (event->type() == QEvent::Close) {
        closed_ = true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmor
