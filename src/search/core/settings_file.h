#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>
#include <optional>

// all.txt keeps the aya display's font between runs: one line
// "NAME",SIZE,#BOOL#,#BOOL# (italic before bold) ending in CR LF, in
// Windows-1256. It lies in the program folder when that folder can be
// written (a build tree, a portable copy); an installed program keeps it in
// the user's configuration folder instead.
namespace velmor::settings {

struct DisplayFont {
    QString name;
    double pointSize = 0;
    bool italic = false;
    bool bold = false;
};

// What a settings line yields; a field that is missing or cannot be used is
// left empty.
struct SavedFont {
    std::optional<QString> name;
    std::optional<double> pointSize; // 1..200 only
    std::optional<bool> italic;
    std::optional<bool> bold;
};

inline constexpr double kMinPointSize = 1;
inline constexpr double kMaxPointSize = 200;

inline constexpr char kSettingsFileName[] = "all.txt";

struct SettingsPaths {
    QString read;  // where start-up reads the font from
    QString write; // where the options window saves it
};

// An installed copy (a package's, or one made by cmake --install) carries
// this marker in its program folder; a build tree or a portable copy does
// not. An installed copy keeps every per-user file per user, whoever runs
// it (root included): nothing is ever written into its program folder.
inline constexpr char kInstalledMarkerName[] = "installed-copy";
bool isInstalledCopy(const QString& programFolder);

// The program folder's all.txt when the folder can be written and the copy
// is not installed. Otherwise the user's own all.txt, or, until the user has
// one, the program folder's file as the starting font.
SettingsPaths settingsPaths(const QString& programFolder, const QString& userConfigFolder);

// A name the file can hold so that it reads back the same: no double quote,
// no control character, nothing outside Windows-1256.
bool isStorableFontName(const QString& name);

QByteArray formatSettingsLine(const DisplayFont& font);
SavedFont parseSettingsLine(const QByteArray& bytes);

// Applies name, size, italic and bold in that order. A missing italic or
// bold turns that attribute off; a missing name or size leaves it as it is.
void applySavedFont(const SavedFont& saved, QFont& font);

DisplayFont displayFontOf(const QFont& font);

// Nothing when the file is missing, unreadable or not a regular file.
std::optional<SavedFont> readSettingsFile(const QString& path);

enum class SaveResult { Saved, NameNotStorable, WriteFailed };

// Replaces the file itself (a link in its place is replaced, not followed)
// with a complete new one: a failed, short or interrupted write leaves the
// old file whole and is reported.
SaveResult writeSettingsFile(const QString& path, const DisplayFont& font);

// What the user is told when a save did not happen; empty when it did.
QString saveFailureMessage(SaveResult result, const QString& path);

} // namespace velmor::settings
