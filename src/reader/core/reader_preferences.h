#pragma once

#include "outcome.h"
#include "reading.h"
#include "script.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace velmor {

// What the reading window keeps between runs, per user.
struct ReaderPreferences {
    static constexpr double kMinimumSize = 8;
    static constexpr double kMaximumSize = 72;
    static constexpr double kScriptureSize = 20;
    static constexpr double kTafsirSize = 14;

    QByteArray geometry;
    QByteArray splitter;
    double scriptureSize = kScriptureSize;
    double tafsirSize = kTafsirSize;
    ReaderTheme theme = ReaderTheme::Light;
    TafsirSource source = TafsirSource::Muyassar;
    Script script = Script::Simple;
    // Both tafsirs at once, the other source in a pane of its own size.
    bool bothTafsirs = false;
    double otherTafsirSize = kTafsirSize;
    // Reciting: each hidden word shows its first letter rather than a blank.
    bool reciteFirstLetters = false;
    // The aya read last, kept here only while the reader's library cannot
    // keep it (and read once from an older file, to move into the library).
    std::optional<qint64> lastAya;
    // The library's side panel: shown, its split, its tab.
    bool panelShown = false;
    QByteArray sideSplitter;
    int panelTab = 0;

    // Unknown or unusable values keep their defaults; so does a file that
    // is not a regular one (a FIFO is never waited on).
    static ReaderPreferences load(const QString& path);
    // Replaces the file with a whole new one (a link in its place is
    // replaced, not followed); the old file stays whole when that fails.
    [[nodiscard]] Done save(const QString& path) const;
};

// The reading window's settings file in the user's configuration folder.
QString readerSettingsPath();

// A size after one step up (+1), down (-1), within the limits.
double steppedSize(double size, int steps);

} // namespace velmor
