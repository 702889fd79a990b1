#pragma once

#include <QString>
#include <optional>

namespace velmor::store {

inline constexpr char kDatabaseFileName[] = "zarqen.zq";
// The database password, shared by the program and the generator that
// encrypts the file.
inline constexpr char kDatabasePassword[] = "zqtwn8461937";

// The connection string of every record view: provider and password, then
// the program folder joined to the database file name with a forward slash.
// The folder ends in a separator only when it is a drive's root.
QString buildConnectionString(const QString& programFolder);

// The text without its leading and trailing blanks (U+0020 only; tabs and
// other spaces stay).
QString trimBlanks(const QString& text);

struct ConnectionTarget {
    QString filePath; // the "Data Source=" value without its surrounding blanks
    QString password; // the database password
};

// Reads the file path and the password back out of a connection string;
// nothing when either is missing.
std::optional<ConnectionTarget> parseConnectionString(const QString& connectionString);

} // namespace velmor::store
