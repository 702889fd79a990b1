#pragma once

#include "reading.h"

#include <QFont>
#include <QPalette>

namespace velmor {

// The reading window's palette in a theme: the whole window takes it, so
// that night reading has no bright frame around the text.
QPalette readerPalette(ReaderTheme theme, const QPalette& base);

// The display's face at a size of the reading window's.
QFont readerFont(double points);

} // namespace velmor
