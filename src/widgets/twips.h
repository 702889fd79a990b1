#pragma once

#include <QRect>
#include <cmath>

namespace velmor {

// Window layouts are designed in twips; 15 twips make one pixel at 96 dpi
// (Qt scales device-independent pixels for other screens).
constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value) {
    return static_cast<int>(value >= 0 ? (value + kTwipsPerPixel / 2) / kTwipsPerPixel
                                       : -((-value + kTwipsPerPixel / 2) / kTwipsPerPixel));
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

} // namespace velmor
