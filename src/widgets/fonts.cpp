#include "fonts.h"

#include <QStringList>

namespace velmor {

void registerFontSubstitutions() {
    // Amiri first: it has a glyph for every code point of the text and of
    // both tafsirs (Latin and '*' included), and it sets the pause marks that
    // stand on a no-break space above the line, where the mushaf has them.
    const QStringList arabicFaces{QStringLiteral("Amiri"), QStringLiteral("Noto Naskh Arabic"),
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
