#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <optional>

namespace velmor {

// Where the reading window goes beside the main window on a screen whose
// available area is given: on the side with more room. Where the screen has
// room for both side by side, neither covers the other (the main window is
// moved aside when it must be); only a screen too narrow for both lets the
// reading window overlap it.
struct Placement {
    QRect reader;
    std::optional<QPoint> mainWindowAt; // where the main window moves, if it must
};
Placement placeBeside(const QRect& mainWindow, const QRect& available, const QSize& minimum);

// Whether a saved window rectangle can be used again: a real size that lies
// wholly on one of the screens.
bool fitsAScreen(const QRect& saved, const QList<QRect>& screens);

// Whether splitter sizes leave each pane shown at least its minimum high
// (the second pane closed to nothing is shown closed, and that is usable
// too; the first, the text, always shows).
bool isUsableSplit(const QList<int>& sizes, const QList<int>& minimums);

} // namespace velmor
