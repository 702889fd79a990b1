#pragma once

#include <QProxyStyle>

namespace velmor {

// Keyboard mnemonics are never underlined: an underlined letter splits an
// Arabic word's joining ("ألصق", "تراجع" in Qt's own menus and dialogs).
// Alt pressed alone opens the menu bar, as on the designed platform.
class NoMnemonicStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_UnderlineShortcut) {
            return 0;
        }
        if (hint == SH_MenuBar_AltKeyNavigation) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace velmor
