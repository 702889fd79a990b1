#include "script_font.h"

#include "log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace velmor {

QString uthmaniFontPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("fonts/uthmanic-hafs-v22.ttf"));
}

QString uthmaniFamily() {
    // Loaded once a run; the font database keeps it until the program ends.
    static const QString family = [] {
        const QString path = uthmaniFontPath(QCoreApplication::applicationDirPath());
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList families =
            id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty()) {
            qCWarning(velmorReader) << "the Uthmani font cannot be loaded from" << path;
            return QString();
        }
        return families.front();
    }();
    return family;
}

QFont scriptFont(Script script, double points) {
    QFont font(QStringLiteral("Tahoma"));
    if (script == Script::Uthmani && !uthmaniFamily().isEmpty()) {
        font = QFont(uthmaniFamily());
    }
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace velmor
