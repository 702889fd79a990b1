#pragma once

#include "frame_clock.h"

#include <QString>
#include <functional>

class QWidget;

namespace velmor {

// The application's title: the caption of every message box that names
// none of its own.
QString applicationTitle();

// Shows a message box; windows take one so that headless runs can collect
// the messages instead of waiting on a box.
using MessageBox = std::function<void(const QString& title, const QString& text)>;

// A message box with an OK button only, right to left, no icon.
void showMessageBox(QWidget* parent, const QString& title, const QString& text);

// Shows a window modal, with no owner: input to the other windows is
// blocked until it closes.
void showModal(QWidget& window);

// One turn of the event loop.
void yieldToEventLoop();

// The yield of a long walk: one turn of the event loop at its first step,
// then twice a frame, so the windows repaint and stay usable at a fraction
// of the cost of a turn per row. One per walk.
//
// The walks that yield, and what may change under each yield:
// - the result walk (Form1's fills): a newer search or listing supersedes
//   it, or the window closes; the walk then stops and touches nothing;
// - the chosen list's duplicate scan (a double-click on a result): entries
//   may be added or removed, and the results may be refilled; the line and
//   ID to add are copied before the scan;
// - the composition (Form5): the window may close, and the chosen list may
//   change; the count is read again before each aya;
// - the updates window waits on its transfer in an event loop of its own:
//   the window may close, which ends the transfer.
class FrameYield {
public:
    void operator()();

private:
    FrameClock clock_{kFrameMs / 2, true};
};

// Puts plain text on the clipboard: the keyboard goes to Arabic first, then
// the clipboard is cleared and given the text.
void copyToClipboard(const QString& text);

} // namespace velmor
