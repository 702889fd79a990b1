#pragma once

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

// One turn of the event loop, taken after each row of a long walk so the
// windows repaint and stay usable.
void yieldToEventLoop();

// Puts plain text on the clipboard: the keyboard goes to Arabic first, then
// the clipboard is cleared and given the text.
void copyToClipboard(const QString& text);

} // namespace velmor
