#pragma once

#include "library.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace velmor::test {

// A library in a folder of the test's own.
struct TemporaryLibrary {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("library.db"));

    std::unique_ptr<library::Library> open() const {
        library::Library::Opened opened = library::Library::open(path);
        EXPECT_TRUE(opened.notice.isEmpty()) << opened.notice.toStdString();
        return std::move(opened.library);
    }
};

// A question to the file through a connection of the test's own, not the
// library's: the first column of the first row, or "<error: ...>".
inline QString askFile(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    QString answer;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK) {
            const int rc = sqlite3_step(statement);
            if (rc == SQLITE_ROW) {
                answer = QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
            } else if (rc != SQLITE_DONE) {
                answer = QStringLiteral("<error: %1>").arg(QString::fromUtf8(sqlite3_errmsg(db)));
            }
        } else {
            answer = QStringLiteral("<error: %1>").arg(QString::fromUtf8(sqlite3_errmsg(db)));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return answer;
}

} // namespace velmor::test
