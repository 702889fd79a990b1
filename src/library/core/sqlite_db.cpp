#include "sqlite_db.h"

#include <sqlite3.h>

namespace velmor::library {

QString engineError(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

Statement::Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) {
        failure_ = engineError(db);
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

Statement& Statement::bind(int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    if (statement_ != nullptr) {
        sqlite3_bind_text(statement_, index, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
    }
    return *this;
}

Statement& Statement::bind(int index, qint64 number) {
    if (statement_ != nullptr) {
        sqlite3_bind_int64(statement_, index, number);
    }
    return *this;
}

bool Statement::next() {
    if (statement_ == nullptr) {
        return false;
    }
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        failure_ = engineError(db_);
    }
    return false;
}

Done Statement::run() {
    while (next()) {
    }
    if (!failure_.isEmpty()) {
        return Done::failed(failure_);
    }
    return done();
}

QString Statement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(statement_, column));
}

qint64 Statement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

Done execute(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const QString reason = message != nullptr ? QString::fromUtf8(message) : engineError(db);
        sqlite3_free(message);
        return Done::failed(reason);
    }
    return done();
}

Done inTransaction(sqlite3* db, const std::function<Done()>& body) {
    if (Done begun = execute(db, "BEGIN IMMEDIATE"); !begun) {
        return begun;
    }
    Done result = body();
    if (result) {
        result = execute(db, "COMMIT");
    }
    if (!result && sqlite3_get_autocommit(db) == 0) {
        // A failed commit (a full disk) leaves the transaction open.
        (void)execute(db, "ROLLBACK");
    }
    return result;
}

Outcome<qint64> integerOf(sqlite3* db, const char* sql) {
    Statement query(db, sql);
    if (query.next()) {
        return query.integer(0);
    }
    return Outcome<qint64>::failed(query.failure().isEmpty() ? QStringLiteral("no row")
                                                             : query.failure());
}

} // namespace velmor::library
