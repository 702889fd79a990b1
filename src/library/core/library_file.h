#pragma once

#include "outcome.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <memory>

struct sqlite3;

namespace velmor::library {

// The library's schema version, in PRAGMA user_version.
inline constexpr int kSchemaVersion = 1;
// How many daily copies are kept beside the file.
inline constexpr int kBackupsKept = 7;

struct CloseConnection {
    void operator()(sqlite3* db) const;
};
using Handle = std::unique_ptr<sqlite3, CloseConnection>;

// Takes a file at any earlier version to the version asked for, one
// transaction per step, so that a step cut short leaves the version before.
[[nodiscard]] Done migrate(sqlite3* db, int toVersion = kSchemaVersion);

// What opening the library's file gave: a connection (none when the file
// cannot be used at all this run), whether it may only be read, and what
// the reader must be told, one Arabic sentence naming the file.
struct OpenedFile {
    Handle db;
    bool readOnly = false;
    QString notice;
};

// Opens the file, starting it when missing. A file that is not a library
// (garbage, cut short, failing its check) is moved aside as
// "NAME.damaged-YYYYMMDD-HHMMSS", with its journal, and a new one started;
// one of a newer version is opened read-only and left as it is; one that
// cannot be opened (a folder in its place, no permission) is left alone and
// gives no connection. Nothing is ever deleted or overwritten.
OpenedFile openLibraryFile(const QString& path, const QDateTime& now);

// The name the file is moved aside to at that moment.
QString damagedName(const QString& path, const QDateTime& now);

// A copy through the online backup, once a day: "NAME.backup-YYYYMMDD",
// written under a temporary name and renamed; the newest kBackupsKept stay.
// Returns whether a copy was made today by this call.
[[nodiscard]] Outcome<bool> backUpDaily(sqlite3* db, const QString& path, const QDate& today);

} // namespace velmor::library
