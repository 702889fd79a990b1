#pragma once

#include <QString>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

// The table Ayat read into memory once, at opening, and checked on the way;
// the virtual table of ayat_table.h scans it.
namespace velmor::store::copy {

// The columns, in the order of the file's table and of "SELECT *".
enum Column { kId, kSura, kAya, kJuz, kPage, kIndex, kText, kTafsir, kColumnCount };
constexpr int kFirstTextColumn = kIndex;

constexpr int kTextColumns = kColumnCount - kFirstTextColumn;

// A stretch of one of the copy's text blocks.
struct Span {
    std::size_t at = 0;
    std::size_t size = 0;
};

struct Row {
    std::array<long long, kFirstTextColumn> numbers{};
    std::array<Span, kTextColumns> texts;
    Span foldedIndex;
    bool textsWithoutNul = true;

    long long id() const { return numbers[kId]; }
};

// The table held in memory.
struct TableCopy {
    std::vector<Row> rows;
    // The rows' texts in row order, each followed by a NUL: the texts of
    // rows read one after the other lie one after the other in memory.
    std::string texts;
    // Every row's index in folded form, one after the other: a whole-text
    // search reads this one dense block.
    std::string foldedIndexes;

    std::size_t size() const { return rows.size(); }
    const Row& operator[](std::size_t i) const { return rows[i]; }
    std::string_view text(const Row& row, int column) const {
        const Span span = row.texts[column - kFirstTextColumn];
        return std::string_view(texts).substr(span.at, span.size);
    }
    std::string_view foldedIndex(const Row& row) const {
        return std::string_view(foldedIndexes).substr(row.foldedIndex.at, row.foldedIndex.size);
    }
};

// The table, rows ordered by ID, or nothing with the reason in error.
std::unique_ptr<TableCopy> loadTable(sqlite3* db, QString& error);

} // namespace velmor::store::copy
