#include "fonts.h"

#include <QStringList>

namespace velmor {

void registerFontSubstitutions() {
    const QStringList arabicFaces{QStringLiteral("Noto Naskh Arabic"),
                                  QStringLiteral("Noto Sans Arabic"), QStringLiteral("Amiri")};
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
