#pragma once

#include "outcome.h"

#include <QString>
#include <optional>

struct sqlite3;

namespace velmor::store {

// The place a row of the table Ayat gives its aya.
struct RowPlace {
    qint64 id = 0;
    qint64 sura = 0;
    qint64 aya = 0;
    qint64 juz = 0;
    qint64 page = 0;
};

// What is wrong with the place of the n-th row (1-based, after before), or
// nothing: IDs run 1..N in reading order, each sura and aya number is one
// the reference lists know, the suras and ayas follow each other in reading
// order (the first row is 1:1), and the juz (1..30) and mushaf pages
// (1..604) never go back.
QString misplaced(const RowPlace& row, const std::optional<RowPlace>& before, std::size_t n);

// A table of one text per aya (Jalalayn: taf; Uthmani: ayaa) holds one row
// with a text for each of the ayas, IDs running 1..N.
Done checkTextTable(sqlite3* db, const QString& table, const QString& column, qint64 ayas);

} // namespace velmor::store
