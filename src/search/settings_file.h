#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>
#include <optional>

// all.txt in the program folder keeps the aya display's font between runs:
// one line "NAME",SIZE,#BOOL#,#BOOL# (italic before bold) ending in CR LF,
// in Windows-1256.
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

QString settingsFilePath(const QString& programFolder);

QByteArray formatSettingsLine(const DisplayFont& font);
SavedFont parseSettingsLine(const QByteArray& bytes);

// Applies name, size, italic and bold in that order. A missing italic or
// bold turns that attribute off; a missing name or size leaves it as it is.
void applySavedFont(const SavedFont& saved, QFont& font);

DisplayFont displayFontOf(const QFont& font);

// Nothing when the file is missing or unreadable.
std::optional<SavedFont> readSettingsFile(const QString& programFolder);

// Replaces the file atomically: a failed or interrupted write leaves the old
// file whole. Returns false when the file could not be written.
bool writeSettingsFile(const QString& programFolder, const DisplayFont& font);

} // namespace velmor::settings
