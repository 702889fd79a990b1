#pragma once

#include "outcome.h"

#include <QString>
#include <functional>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace velmor::library {

// One statement, prepared on an open connection and finalized with it.
// A statement that did not prepare reports why at its first step.
class Statement {
public:
    Statement(sqlite3* db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, const QString& text);
    Statement& bind(int index, qint64 number);
    Statement& bind(int index, int number) { return bind(index, static_cast<qint64>(number)); }

    // The next row: true while there is one; a failure ends the rows and
    // is kept for failure().
    bool next();
    // Runs a statement that gives no rows to its end.
    [[nodiscard]] Done run();
    // Why the last step failed; empty when none did.
    const QString& failure() const { return failure_; }

    QString text(int column) const;
    qint64 integer(int column) const;
    bool isNull(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    QString failure_;
};

// The engine's sentence for the connection's last failure.
QString engineError(sqlite3* db);

// Runs one or more statements that give no rows.
[[nodiscard]] Done execute(sqlite3* db, const char* sql);

// Runs the body inside one immediate transaction: committed when the body
// and the commit succeed, rolled back otherwise.
[[nodiscard]] Done inTransaction(sqlite3* db, const std::function<Done()>& body);

// A query's single integer, or why it failed.
[[nodiscard]] Outcome<qint64> integerOf(sqlite3* db, const char* sql);

} // namespace velmor::library
