#include "placement.h"

#include <algorithm>

namespace velmor {

namespace {
constexpr int kGap = 8;
constexpr int kPreferredWidth = 900;
} // namespace

Placement placeBeside(const QRect& mainWindow, const QRect& available, const QSize& minimum) {
    const int height =
        std::min(std::max(std::max(480, minimum.height()), available.height() * 9 / 10 - 40),
                 available.height());
    const int top = available.top() + (available.height() - height) / 2;
    const int left = mainWindow.left() - available.left() - kGap;
    const int right = available.right() - mainWindow.right() - kGap;
    const bool onLeft = left >= right;
    const int room = std::max(left, right) - kGap;
    Placement placement;
    if (room >= minimum.width()) {
        // Beside it as it stands.
        const int width = std::min(room, kPreferredWidth);
        const int x = onLeft ? mainWindow.left() - kGap - width : mainWindow.right() + 1 + kGap;
        placement.reader = QRect(x, top, width, height);
        return placement;
    }
    const int both = available.width() - mainWindow.width() - 3 * kGap;
    if (both >= minimum.width()) {
        // Both fit once the main window stands at the screen's far edge.
        const int width = std::min(both, kPreferredWidth);
        if (onLeft) {
            const int mainLeft = available.right() + 1 - kGap - mainWindow.width();
            placement.mainWindowAt = QPoint(mainLeft, mainWindow.top());
            placement.reader = QRect(mainLeft - kGap - width, top, width, height);
        } else {
            const int mainLeft = available.left() + kGap;
            placement.mainWindowAt = QPoint(mainLeft, mainWindow.top());
            placement.reader = QRect(mainLeft + mainWindow.width() + kGap, top, width, height);
        }
        return placement;
    }
    // Too narrow for both: as wide as it needs, over part of the main window.
    const int width = std::min(std::max(minimum.width(), 560), available.width());
    const int x = onLeft ? std::max(available.left(), mainWindow.left() - kGap - width)
                         : std::min(mainWindow.right() + kGap, available.right() + 1 - width);
    placement.reader = QRect(x, top, width, height);
    return placement;
}

bool fitsAScreen(const QRect& saved, const QList<QRect>& screens) {
    return saved.width() > 0 && saved.height() > 0 &&
           std::any_of(screens.begin(), screens.end(),
                       [&](const QRect& screen) { return screen.contains(saved); });
}

bool isUsableSplit(const QList<int>& sizes, const QList<int>& minimums) {
    return sizes.size() == 2 && minimums.size() == 2 && sizes[0] >= minimums[0] &&
           (sizes[1] == 0 || sizes[1] >= minimums[1]);
}

} // namespace velmor
