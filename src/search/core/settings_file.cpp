#include "settings_file.h"

#include "whole_file.h"
#include "windows1256.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool isControl(QChar c) {
    return c.category() == QChar::Other_Control;
}

} // namespace

bool isInstalledCopy(const QString& programFolder) {
    return QFileInfo::exists(QDir(programFolder).filePath(QLatin1String(kInstalledMarkerName)));
}

SettingsPaths settingsPaths(const QString& programFolder, const QString& userConfigFolder) {
    const QString beside = QDir(programFolder).filePath(QLatin1String(kSettingsFileName));
    if ((QFileInfo(programFolder).isWritable() && !isInstalledCopy(programFolder)) ||
        userConfigFolder.isEmpty()) {
        return {beside, beside};
    }
    const QString own = QDir(userConfigFolder).filePath(QLatin1String(kSettingsFileName));
    return {QFileInfo::exists(own) ? own : beside, own};
}

bool isStorableFontName(const QString& name) {
    return !name.contains(u'"') && std::none_of(name.cbegin(), name.cend(), isControl) &&
           decodeWindows1256(encodeWindows1256(name)) == name;
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
        !fields.isEmpty() && std::none_of(fields[0].cbegin(), fields[0].cend(), isControl);
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

std::optional<SavedFont> readSettingsFile(const QString& path) {
    // A FIFO or a device in the file's place cannot hold up start-up. One
    // line is all the file may hold; no more than a line's worth is read.
    // A file that cannot be read holds no saved font (not an empty one).
    const Outcome<QByteArray> line = readRegularFile(path, 4096);
    if (!line) {
        return std::nullopt;
    }
    return parseSettingsLine(*line);
}

SaveResult writeSettingsFile(const QString& path, const DisplayFont& font) {
    if (!isStorableFontName(font.name)) {
        return SaveResult::NameNotStorable;
    }
    // The old file survives a full disk or a crash.
    return replaceFile(path, formatSettingsLine(font), Folder::Make) ? SaveResult::Saved
                                                                     : SaveResult::WriteFailed;
}

QString saveFailureMessage(SaveResult result, const QString& path) {
    switch (result) {
    case SaveResult::NameNotStorable:
        return QStringLiteral("تعذر حفظ الخط المختار: لا يمكن حفظ اسم هذا الخط، وسيبقى الخط "
                              "المحفوظ سابقا عند التشغيل القادم");
    case SaveResult::WriteFailed:
        return QStringLiteral("تعذر حفظ الخط المختار في الملف ") + QDir::toNativeSeparators(path);
    case SaveResult::Saved:
        break;
    }
    return {};
}

} // namespace velmor::settings
