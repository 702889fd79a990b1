#pragma once

#include <QFont>

namespace velmor {

// The designed faces, Tahoma and MS Sans Serif, are Windows fonts. Where
// they are missing their names resolve to faces that draw every Arabic mark
// and join letters properly (fontconfig's own fallback, DejaVu, lacks
// U+0670): Tahoma to Noto Naskh Arabic, which keeps every mark inside its
// own line, with Amiri behind it for what it lacks. The names stored and
// shown stay the designed ones.
void registerFontSubstitutions();

// Tahoma 11.25 pt, regular: the aya display as designed.
QFont designedDisplayFont();
// MS Sans Serif 8.25 pt: labels, buttons and the search box.
QFont designedLabelFont();
// Tahoma 8.25 pt: the windows' own font (lists).
QFont designedFormFont();

} // namespace velmor
