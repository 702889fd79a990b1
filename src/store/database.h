#pragma once

#include "connection_string.h"
#include "outcome.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

struct sqlite3;

namespace velmor::store {

// Receives the one message a failed open or query produces: an Arabic
// sentence naming the file, then the database engine's own error text.
using ErrorReporter = std::function<void(const QString& message)>;

// One open, keyed, read-only database connection.
class Connection {
public:
    // Opens the file read-only, applies the key, checks that the file reads
    // as a database, installs the Arabic-folding LIKE and reads the table
    // into memory (see ayat_table.h). On failure, the engine's error text or
    // what the table check found.
    static Outcome<std::unique_ptr<Connection>> open(const ConnectionTarget& target);

    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    const QString& filePath() const { return filePath_; }

private:
    Connection(sqlite3* db, QString filePath) : db_(db), filePath_(std::move(filePath)) {}

    sqlite3* db_;
    QString filePath_;
};

// Hands out one shared connection per database file and password, so that
// the key derivation (tens of milliseconds) is paid once per process, and
// routes every data-layer failure to the program's reporter.
class Store {
public:
    explicit Store(ErrorReporter reporter = {});

    void setReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

    // The shared connection for a connection string, opened on first use.
    // A failure is reported and gives nothing; the next call tries again.
    std::shared_ptr<Connection> connect(const QString& connectionString);

    void reportFailure(const QString& filePath, const QString& providerError) const;

private:
    ErrorReporter reporter_;
    std::map<std::pair<QString, QString>, std::shared_ptr<Connection>> connections_;
};

// The statements that key a connection. The password ships inside the
// program, so key stretching would add no secrecy, only start-up time: the
// derivation runs a fixed, small number of iterations. Pages are 4 KiB, as
// the table is read whole at opening and each page costs a decryption.
std::string keyStatements(const QString& password);

// The sentence that introduces every data-layer failure message.
QString failureMessage(const QString& filePath, const QString& providerError);

} // namespace velmor::store
