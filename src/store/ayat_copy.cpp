#include "ayat_copy.h"

#include "arabic_fold.h"
#include "table_check.h"

#include <optional>
#include <sqlite3.h>

namespace velmor::store::copy {

namespace {

constexpr char kLoadQuery[] =
    "SELECT ID, soraano, ayaano, chapterNO, pageno, AyaaIndex, ayaa, taf FROM main.Ayat "
    "ORDER BY ID";

// Appends text and a NUL to block; returns where the text lies.
Span append(std::string& block, std::string_view text) {
    const Span span{block.size(), text.size()};
    block += text;
    block += '\0';
    return span;
}

// Copies the statement's current row into the copy; false with the reason
// in error when the row is not one of this table's.
bool copyRow(sqlite3_stmt* raw, TableCopy& table, QString& error) {
    TableCopy* copy = &table;
    Row& row = copy->rows.emplace_back();
    for (int column = 0; column < kColumnCount; ++column) {
        if (sqlite3_column_type(raw, column) == SQLITE_NULL) {
            error = QStringLiteral("the table Ayat has rows with empty columns");
            return false;
        }
        if (column < kFirstTextColumn) {
            // A number stored as text or with a fraction would be read
            // as some other number; such a file is not this table.
            if (sqlite3_column_type(raw, column) != SQLITE_INTEGER) {
                error = QStringLiteral("the table Ayat holds a value that is not a whole "
                                       "number in column %1 of the row with ID %2")
                            .arg(QLatin1String(sqlite3_column_name(raw, column)))
                            .arg(QString::fromUtf8(
                                reinterpret_cast<const char*>(sqlite3_column_text(raw, kId))));
                return false;
            }
            row.numbers[column] = sqlite3_column_int64(raw, column);
        } else {
            const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(raw, column));
            const std::string_view text(
                data, static_cast<std::size_t>(sqlite3_column_bytes(raw, column)));
            row.texts[column - kFirstTextColumn] = append(copy->texts, text);
            row.textsWithoutNul = row.textsWithoutNul && text.find('\0') == text.npos;
        }
    }
    const auto placeOf = [](const Row& r) {
        return RowPlace{r.id(), r.numbers[kSura], r.numbers[kAya], r.numbers[kJuz],
                        r.numbers[kPage]};
    };
    const std::optional<RowPlace> before =
        copy->rows.size() > 1 ? std::optional(placeOf(copy->rows[copy->rows.size() - 2]))
                              : std::nullopt;
    if (const QString wrong = misplaced(placeOf(row), before, copy->rows.size());
        !wrong.isEmpty()) {
        error = wrong;
        return false;
    }
    const std::string_view index = copy->text(row, kIndex);
    row.foldedIndex =
        append(copy->foldedIndexes, isFoldedUtf8(index) ? std::string(index) : foldUtf8(index));
    return true;
}

} // namespace

std::unique_ptr<TableCopy> loadTable(sqlite3* db, QString& error) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, kLoadQuery, -1, &raw, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(raw);
        return nullptr;
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    auto copy = std::make_unique<TableCopy>();
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        if (!copyRow(raw, *copy, error)) {
            return nullptr;
        }
    }
    if (rc != SQLITE_DONE) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
        return nullptr;
    }
    if (copy->rows.empty()) {
        error = QStringLiteral("the table Ayat has no rows");
        return nullptr;
    }
    return copy;
}

} // namespace velmor::store::copy
