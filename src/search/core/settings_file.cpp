#include "settings_file.h"

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

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += written;
    }
    return true;
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
    // Non-blocking, so that a FIFO or a device in the file's place cannot
    // hold up start-up; only a regular file is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat status {};
    QByteArray line;
    bool read = false;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        // One line is all the file may hold; read no more than a line's worth.
        line.resize(4096);
        const ssize_t got = ::read(fd, line.data(), static_cast<size_t>(line.size()));
        // A file that cannot be read holds no saved font (not an empty one).
        read = got >= 0;
        line.resize(read ? got : 0);
    }
    ::close(fd);
    if (!read) {
        return std::nullopt;
    }
    return parseSettingsLine(line);
}

SaveResult writeSettingsFile(const QString& path, const DisplayFont& font) {
    if (!isStorableFontName(font.name)) {
        return SaveResult::NameNotStorable;
    }
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath())) {
        return SaveResult::WriteFailed;
    }
    // A new file of our own beside the old one, renamed over it once it is
    // complete on disk: the old file survives a full disk or a crash.
    QByteArray temporary = QFile::encodeName(target.absoluteFilePath()) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return SaveResult::WriteFailed;
    }
    bool saved =
        ::fchmod(fd, 0644) == 0 && writeAll(fd, formatSettingsLine(font)) && ::fsync(fd) == 0;
    saved = ::close(fd) == 0 && saved;
    saved = saved && ::rename(temporary.constData(),
                              QFile::encodeName(target.absoluteFilePath()).constData()) == 0;
    if (!saved) {
        ::unlink(temporary.constData());
        return SaveResult::WriteFailed;
    }
    return SaveResult::Saved;
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
