#pragma once

#include <QElapsedTimer>

namespace velmor {

// One frame of the display: a long walk shows its new lines, and lets the
// windows repaint, about once per frame.
inline constexpr qint64 kFrameMs = 16;

// Says when a period has passed since it last said so.
class FrameClock {
public:
    // With firstDue, the first ask is due at once.
    explicit FrameClock(qint64 periodMs = kFrameMs, bool firstDue = false)
        : periodMs_(periodMs), firstDue_(firstDue) {
        since_.start();
    }
    bool due() {
        if (firstDue_) {
            firstDue_ = false;
            since_.restart();
            return true;
        }
        if (since_.elapsed() < periodMs_) {
            return false;
        }
        since_.restart();
        return true;
    }

private:
    qint64 periodMs_;
    bool firstDue_;
    QElapsedTimer since_;
};

} // namespace velmor
