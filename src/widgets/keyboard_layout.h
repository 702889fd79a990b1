#pragma once

namespace velmor {

// Makes the Arabic input layout ("00000401", Arabic - Saudi Arabia) the
// active one where the platform allows it. On X11 it locks the keymap's
// group named Arabic, if the keymap has one. It never fails visibly and
// reports nothing.
void activateArabicKeyboard();

} // namespace velmor
