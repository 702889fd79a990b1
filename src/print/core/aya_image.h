#pragma once

#include "outcome.h"
#include "printed_ayas.h"

#include <QImage>
#include <QString>
#include <vector>

namespace velmor::print {

// The widths an image may have, in pixels, and the one it has unless asked.
constexpr int kImageWidth = 1080;
constexpr int kMinimumImageWidth = 240;
constexpr int kMaximumImageWidth = 8000;

// An aya or a short run of ayas as a picture to share: the text in the
// script's face and the theme's colours, right to left, its reference
// below; as tall as the text needs.
QImage ayaImage(const std::vector<PrintedAya>& ayas, Script script, ReaderTheme theme, int width);

// The reference printed below: "سورة البقرة ٢٥٥" or "سورة البقرة ٢٥٥-٢٥٧".
QString imageReference(const std::vector<PrintedAya>& ayas);

// The image as a PNG at path, whole or not at all.
Done writeImage(const QImage& image, const QString& path);

} // namespace velmor::print
