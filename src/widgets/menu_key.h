#pragma once

class QMenuBar;
class QWidget;

namespace velmor {

// F10 in the window opens the menu bar at its first menu, as Alt alone
// does; leaving the menus with Escape gives the keyboard back to the control
// that had it (Qt leaves it on the bar, where typed letters go nowhere).
void bindMenuKey(QWidget& window, QMenuBar& bar);

} // namespace velmor
