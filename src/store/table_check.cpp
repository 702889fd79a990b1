#include "table_check.h"

#include "reference_lists.h"

#include <sqlite3.h>

namespace velmor::store {

QString misplaced(const RowPlace& row, const std::optional<RowPlace>& before, std::size_t n) {
    if (row.id != static_cast<sqlite3_int64>(n)) {
        return QStringLiteral("the IDs of the table Ayat do not run 1, 2, 3... (row %1 has ID %2)")
            .arg(n)
            .arg(row.id);
    }
    const sqlite3_int64 sura = row.sura;
    const sqlite3_int64 aya = row.aya;
    if (sura < 1 || sura > soraayanumlist().size() || aya < 1 ||
        aya > soraayanumlist()[static_cast<qsizetype>(sura - 1)].trimmed().toInt()) {
        return QStringLiteral("the row with ID %1 names sura %2, aya %3, which does not exist")
            .arg(row.id)
            .arg(sura)
            .arg(aya);
    }
    const bool follows = !before ? sura == 1 && aya == 1
                                 : (sura == before->sura && aya == before->aya + 1) ||
                                       (sura == before->sura + 1 && aya == 1);
    if (!follows) {
        return QStringLiteral("the row with ID %1 (sura %2, aya %3) does not follow the one "
                              "before it in reading order")
            .arg(row.id)
            .arg(sura)
            .arg(aya);
    }
    const auto inOrder = [&](qint64 RowPlace::*column, qint64 last) {
        const qint64 value = row.*column;
        return value >= 1 && value <= last && (!before || value >= (*before).*column);
    };
    if (!inOrder(&RowPlace::juz, kJuzCount)) {
        return QStringLiteral("the row with ID %1 has juz %2: juz run 1..%3, never going back")
            .arg(row.id)
            .arg(row.juz)
            .arg(kJuzCount);
    }
    if (!inOrder(&RowPlace::page, kPageCount)) {
        return QStringLiteral("the row with ID %1 has page %2: pages run 1..%3, never going back")
            .arg(row.id)
            .arg(row.page)
            .arg(kPageCount);
    }
    return {};
}

Done checkTextTable(sqlite3* db, const QString& table, const QString& column, qint64 ayas) {
    sqlite3_stmt* raw = nullptr;
    // Every aya has its row, IDs 1..N, and a text in each.
    const QByteArray query = QStringLiteral("SELECT count(*), count(DISTINCT ID), min(ID), "
                                            "max(ID), sum(typeof(ID) <> 'integer'), "
                                            "sum(typeof(%2) <> 'text' OR length(%2) = 0) "
                                            "FROM main.%1")
                                 .arg(table, column)
                                 .toUtf8();
    if (sqlite3_prepare_v2(db, query.constData(), -1, &raw, nullptr) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(raw);
        return Done::failed(QStringLiteral("the table %1 cannot be read: ").arg(table) + reason);
    }
    const bool read = sqlite3_step(raw) == SQLITE_ROW;
    const auto number = [raw](int at) { return qint64(sqlite3_column_int64(raw, at)); };
    const bool whole = read && number(0) == ayas && number(1) == ayas && number(2) == 1 &&
                       number(3) == ayas && number(4) == 0;
    const bool texts = read && number(5) == 0;
    sqlite3_finalize(raw);
    if (!whole) {
        return Done::failed(QStringLiteral("the table %1 does not hold one row for each of "
                                           "the %2 ayas, with IDs 1..%2")
                                .arg(table)
                                .arg(ayas));
    }
    if (!texts) {
        return Done::failed(QStringLiteral("the table %1 has rows without a text").arg(table));
    }
    return done();
}

} // namespace velmor::store
