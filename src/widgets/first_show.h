#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace velmor {

// Runs a window's one piece of work once, on the turn of the event loop
// after the window was first shown (so that what it shows meanwhile is
// painted), and remembers whether the window has been closed since, so the
// work can stop early.
class FirstShow : public QObject {
public:
    FirstShow(QWidget& window, std::function<void()> work);

    bool windowClosed() const { return closed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> work_;
    bool shown_ = false;
    bool closed_ = false;
};

} // namespace velmor
