#include "reader_look.h"

#include "fonts.h"

namespace velmor {

QPalette readerPalette(ReaderTheme theme, const QPalette& base) {
    const ThemeColours colours = coloursOf(theme);
    QPalette palette = base;
    if (theme != ReaderTheme::Light) {
        palette.setColor(QPalette::Window, colours.background);
        palette.setColor(QPalette::WindowText, colours.text);
        palette.setColor(QPalette::Button, colours.currentAya);
        palette.setColor(QPalette::ButtonText, colours.text);
        QColor placeholder = colours.text;
        placeholder.setAlphaF(0.6F);
        palette.setColor(QPalette::PlaceholderText, placeholder);
    }
    palette.setColor(QPalette::Base, colours.background);
    palette.setColor(QPalette::Text, colours.text);
    palette.setColor(QPalette::Highlight, colours.match);
    palette.setColor(QPalette::HighlightedText, colours.matchText);
    return palette;
}

QFont readerFont(double points) {
    QFont font = designedDisplayFont();
    font.setPointSizeF(points);
    return font;
}

} // namespace velmor
