#include "fonts.h"

#include <QStringList>

namespace velmor {

void registerFontSubstitutions() {
    // Noto Naskh Arabic first, chosen by measuring every aya laid out in each
    // text box: it keeps the ink of every pause mark (U+06D6..U+06DC, on its
    // no-break space) inside its own line, and every other glyph within 3 %
    // of a line of it. Amiri sets those marks 1.3-1.75 em above the baseline,
    // above its own ascent, so they reached into the line above (52 000
    // glyphs of the text outside their lines, by up to 0.41 of a line).
    // What Noto Naskh Arabic lacks ('*' and Latin in the tafsirs) comes from
    // the next face that has it.
    const QStringList arabicFaces{QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri"),
                                  QStringLiteral("Noto Sans Arabic")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), arabicFaces);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Noto Sans Arabic"),
                                QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri")});
}

namespace {
QFont font(const char* family, double points) {
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    return f;
}
} // namespace

QFont designedDisplayFont() {
    return font("Tahoma", 11.25);
}

QFont designedLabelFont() {
    return font("MS Sans Serif", 8.25);
}

QFont designedFormFont() {
    return font("Tahoma", 8.25);
}

} // namespace velmor
