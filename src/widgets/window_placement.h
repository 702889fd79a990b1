#pragma once

class QWidget;

namespace velmor {

// Places a window in the middle of its screen: left = screen width / 2 -
// window width / 2, then top likewise with the heights (outer sizes).
void centreOnScreen(QWidget& window);

} // namespace velmor
