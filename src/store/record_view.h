#pragma once

#include "database.h"

#include <QString>
#include <QStringList>
#include <memory>

struct sqlite3_stmt;

namespace velmor::store {

// A view over the rows of one query, walked forward one row at a time:
// set the connection string, set the record source (the SQL text), refresh,
// then read columns of the current row until the view stands at end-of-file.
// Opening and every failure go through the Store; a failed refresh or step
// is reported once and leaves the view at end-of-file.
class RecordView {
public:
    explicit RecordView(Store& store);
    ~RecordView();
    RecordView(const RecordView&) = delete;
    RecordView& operator=(const RecordView&) = delete;

    // Stores the string; opens nothing.
    void setConnectionString(const QString& connectionString);
    const QString& connectionString() const { return connectionString_; }

    // Stores the SQL text of the next query; runs nothing.
    void setRecordSource(const QString& sql);
    const QString& recordSource() const { return recordSource_; }

    // Opens the database if needed, runs the record source and makes the
    // first row current.
    void refresh();

    bool eof() const { return statement_ == nullptr; }
    // True when the last refresh, or a step since, failed: the rows read
    // so far are not the whole result.
    bool failed() const { return failed_; }
    void moveNext();

    // The column of the current row as plain text (numbers in decimal);
    // empty at end-of-file or for an unknown column.
    QString field(QStringView column) const;
    // The column of the current row as a number; 0 where field() is empty.
    qint64 integer(QStringView column) const;

private:
    struct StatementDeleter {
        void operator()(sqlite3_stmt* statement) const;
    };

    void step();
    // The index of the column in the current statement, or -1.
    int columnIndex(QStringView column) const;
    void fail(const QString& providerError);

    Store& store_;
    QString connectionString_;
    QString recordSource_;
    std::shared_ptr<Connection> connection_; // outlives statement_ (declared first)
    std::unique_ptr<sqlite3_stmt, StatementDeleter> statement_;
    QStringList columns_;
    bool failed_ = false;
};

} // namespace velmor::store
