#include "record_view.h"

#include <sqlite3.h>

namespace velmor::store {

void RecordView::StatementDeleter::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

RecordView::RecordView(Store& store) : store_(store) {}

RecordView::~RecordView() = default;

void RecordView::setConnectionString(const QString& connectionString) {
    if (connectionString != connectionString_) {
        statement_.reset();
        connection_.reset();
    }
    connectionString_ = connectionString;
}

void RecordView::setRecordSource(const QString& sql) {
    recordSource_ = sql;
}

void RecordView::refresh() {
    statement_.reset();
    columns_.clear();
    failed_ = false;
    if (!connection_) {
        connection_ = store_.connect(connectionString_);
        if (!connection_) {
            failed_ = true;
            return;
        }
    }
    sqlite3_stmt* raw = nullptr;
    const QByteArray sql = recordSource_.toUtf8();
    if (sqlite3_prepare_v2(connection_->handle(), sql.constData(), static_cast<int>(sql.size()),
                           &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        fail(QString::fromUtf8(sqlite3_errmsg(connection_->handle())));
        return;
    }
    if (raw == nullptr) { // blank SQL text: nothing to run
        return;
    }
    statement_.reset(raw);
    const int count = sqlite3_column_count(raw);
    for (int i = 0; i < count; ++i) {
        columns_.append(QString::fromUtf8(sqlite3_column_name(raw, i)));
    }
    step();
}

void RecordView::moveNext() {
    if (statement_) {
        step();
    }
}

void RecordView::step() {
    const int rc = sqlite3_step(statement_.get());
    if (rc == SQLITE_ROW) {
        return;
    }
    if (rc != SQLITE_DONE) {
        fail(QString::fromUtf8(sqlite3_errmsg(connection_->handle())));
    }
    statement_.reset();
}

void RecordView::fail(const QString& providerError) {
    failed_ = true;
    statement_.reset();
    columns_.clear();
    store_.reportFailure(connection_ ? connection_->filePath() : QString(), providerError);
}

int RecordView::columnIndex(QStringView column) const {
    // Callers mostly spell the names as the table does: an exact comparison
    // finds them without folding case for every read.
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i] == column) {
            return i;
        }
    }
    for (int i = 0; i < columns_.size(); ++i) {
        if (QStringView(columns_[i]).compare(column, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QString RecordView::field(QStringView column) const {
    const int i = statement_ ? columnIndex(column) : -1;
    if (i < 0) {
        return {};
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), i));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement_.get(), i)) : QString();
}

qint64 RecordView::integer(QStringView column) const {
    const int i = statement_ ? columnIndex(column) : -1;
    return i < 0 ? 0 : sqlite3_column_int64(statement_.get(), i);
}

} // namespace velmor::store
