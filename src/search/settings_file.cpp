#include "settings_file.h"

#include "windows1256.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>

namespace velmor::settings {

namespace {

QString boolField(bool value) {
    return value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
}

std::optional<bool> parseBool(const QString& field) {
    const QString value = field.trimmed();
    if (value.compare(QStringLiteral("#TRUE#"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (value.compare(QStringLiteral("#FALSE#"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    return std::nullopt;
}

// Splits the line into its fields: the first may be a quoted string holding
// commas; the rest are separated by commas.
QStringList splitFields(const QString& line) {
    QStringList fields;
    qsizetype i = 0;
    while (i < line.size() && line[i] == u' ') {
        ++i;
    }
    if (i < line.size() && line[i] == u'"') {
        const qsizetype close = line.indexOf(u'"', i + 1);
        if (close < 0) {
            return {}; // an unterminated name: nothing usable
        }
        fields.append(line.mid(i + 1, close - i - 1));
        const qsizetype comma = line.indexOf(u',', close + 1);
        if (comma < 0) {
            return fields;
        }
        i = comma + 1;
    }
    fields.append(line.mid(i).split(u','));
    return fields;
}

} // namespace

QString settingsFilePath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("all.txt"));
}

QByteArray formatSettingsLine(const DisplayFont& font) {
    const QString size = QLocale::c().toString(font.pointSize, 'f', QLocale::FloatingPointShortest);
    const QString line = u'"' + font.name + u'"' + u',' + size + u',' + boolField(font.italic) +
                         u',' + boolField(font.bold) + QStringLiteral("\r\n");
    return encodeWindows1256(line);
}

SavedFont parseSettingsLine(const QByteArray& bytes) {
    QString line = decodeWindows1256(bytes);
    const qsizetype end = line.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (end >= 0) {
        line.truncate(end);
    }
    const QStringList fields = splitFields(line);
    SavedFont saved;
    // The name is written quoted; anything else in its place is not a name.
    const bool quotedName = line.trimmed().startsWith(u'"');
    const bool printable =
        !fields.isEmpty() && std::none_of(fields[0].cbegin(), fields[0].cend(), [](QChar c) {
            return c.category() == QChar::Other_Control;
        });
    if (quotedName && printable && !fields[0].trimmed().isEmpty()) {
        saved.name = fields[0];
    }
    if (fields.size() > 1) {
        bool ok = false;
        const double size = QLocale::c().toDouble(fields[1].trimmed(), &ok);
        if (ok && size >= kMinPointSize && size <= kMaxPointSize) {
            saved.pointSize = size;
        }
    }
    if (fields.size() > 2) {
        saved.italic = parseBool(fields[2]);
    }
    if (fields.size() > 3) {
        saved.bold = parseBool(fields[3]);
    }
    return saved;
}

void applySavedFont(const SavedFont& saved, QFont& font) {
    if (saved.name) {
        font.setFamily(*saved.name);
    }
    if (saved.pointSize) {
        font.setPointSizeF(*saved.pointSize);
    }
    font.setItalic(saved.italic.value_or(false));
    font.setBold(saved.bold.value_or(false));
}

DisplayFont displayFontOf(const QFont& font) {
    return {font.family(), font.pointSizeF(), font.italic(), font.bold()};
}

std::optional<SavedFont> readSettingsFile(const QString& programFolder) {
    QFile file(settingsFilePath(programFolder));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // One line is all the file may hold; read no more than a line's worth.
    return parseSettingsLine(file.read(4096));
}

bool writeSettingsFile(const QString& programFolder, const DisplayFont& font) {
    QSaveFile file(settingsFilePath(programFolder));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray line = formatSettingsLine(font);
    if (file.write(line) != line.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace velmor::settings
