#include "reader_preferences.h"

#include "log.h"
#include "whole_file.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace velmor {

double steppedSize(double size, int steps) {
    return std::clamp(size + steps, ReaderPreferences::kMinimumSize,
                      ReaderPreferences::kMaximumSize);
}

namespace {
double sizeIn(const QSettings& file, const char* key, double fallback) {
    bool ok = false;
    const double size = file.value(QLatin1String(key)).toDouble(&ok);
    return ok && size >= ReaderPreferences::kMinimumSize && size <= ReaderPreferences::kMaximumSize
               ? size
               : fallback;
}
} // namespace

ReaderPreferences ReaderPreferences::load(const QString& path) {
    ReaderPreferences preferences;
    if (!isRegularOrMissing(path)) {
        qCInfo(velmorReader) << "the reading window's settings are not a regular file:" << path;
        return preferences;
    }
    const QSettings file(path, QSettings::IniFormat);
    preferences.geometry = file.value(QStringLiteral("geometry")).toByteArray();
    preferences.splitter = file.value(QStringLiteral("splitter")).toByteArray();
    preferences.scriptureSize = sizeIn(file, "scriptureSize", kScriptureSize);
    preferences.tafsirSize = sizeIn(file, "tafsirSize", kTafsirSize);
    preferences.theme =
        themeNamed(file.value(QStringLiteral("theme")).toString()).value_or(ReaderTheme::Light);
    preferences.source = tafsirNamed(file.value(QStringLiteral("tafsir")).toString())
                             .value_or(TafsirSource::Muyassar);
    preferences.script =
        scriptNamed(file.value(QStringLiteral("script")).toString()).value_or(Script::Simple);
    preferences.bothTafsirs = file.value(QStringLiteral("bothTafsirs")).toBool();
    preferences.otherTafsirSize = sizeIn(file, "otherTafsirSize", kTafsirSize);
    preferences.reciteFirstLetters = file.value(QStringLiteral("reciteFirstLetters")).toBool();
    bool ok = false;
    const qint64 last = file.value(QStringLiteral("lastAya")).toLongLong(&ok);
    if (ok && last >= 1) {
        preferences.lastAya = last;
    }
    preferences.panelShown = file.value(QStringLiteral("panelShown")).toBool();
    preferences.sideSplitter = file.value(QStringLiteral("sideSplitter")).toByteArray();
    preferences.panelTab = std::clamp(file.value(QStringLiteral("panelTab")).toInt(), 0, 2);
    return preferences;
}

Done ReaderPreferences::save(const QString& path) const {
    Done saved = replaceFile(
        path,
        [this](const QString& temporary) {
            QSettings file(temporary, QSettings::IniFormat);
            file.setValue(QStringLiteral("geometry"), geometry);
            file.setValue(QStringLiteral("splitter"), splitter);
            file.setValue(QStringLiteral("scriptureSize"), scriptureSize);
            file.setValue(QStringLiteral("tafsirSize"), tafsirSize);
            file.setValue(QStringLiteral("theme"), themeKey(theme));
            file.setValue(QStringLiteral("tafsir"), tafsirKey(source));
            file.setValue(QStringLiteral("script"), scriptKey(script));
            file.setValue(QStringLiteral("bothTafsirs"), bothTafsirs);
            file.setValue(QStringLiteral("otherTafsirSize"), otherTafsirSize);
            file.setValue(QStringLiteral("reciteFirstLetters"), reciteFirstLetters);
            if (lastAya) {
                file.setValue(QStringLiteral("lastAya"), *lastAya);
            }
            file.setValue(QStringLiteral("panelShown"), panelShown);
            file.setValue(QStringLiteral("sideSplitter"), sideSplitter);
            file.setValue(QStringLiteral("panelTab"), panelTab);
            file.sync();
            if (file.status() != QSettings::NoError) {
                return false;
            }
            // A full disk can cut the file short without a word from QSettings
            // (and reading it again would only ask its cache): it counts as
            // written when its last line, the key that sorts last, is there.
            const Outcome<QByteArray> written = readRegularFile(temporary, 4 << 20);
            return written && written->endsWith("\ntheme=" + themeKey(theme).toLatin1() + "\n");
        },
        Folder::Make);
    if (!saved) {
        qCInfo(velmorReader) << "the reading window's settings were not saved in" << path << ":"
                             << saved.reason();
    }
    return saved;
}

QString readerSettingsPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("reader.ini"));
}

} // namespace velmor
