#include "ayat_table.h"

#include "arabic_fold.h"
#include "ayat_copy.h"
#include "byte_search.h"
#include "jet_like.h"
#include "reference_lists.h"
#include "table_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <vector>

namespace velmor::store {

namespace {

using namespace copy;

constexpr char kDeclaration[] =
    "CREATE TABLE x(ID INTEGER, soraano INTEGER, ayaano INTEGER, chapterNO INTEGER, "
    "pageno INTEGER, AyaaIndex TEXT, ayaa TEXT, taf TEXT)";
constexpr char kModuleName[] = "velmor_ayat";

// One condition of a query's WHERE that the scan checks itself.
struct Condition {
    int column = 0;
    unsigned char op = 0;
};

// A comparison of an integer column with an integer, as SQLite compares.
bool compareNumbers(sqlite3_int64 value, unsigned char op, sqlite3_int64 bound) {
    switch (op) {
    case SQLITE_INDEX_CONSTRAINT_EQ:
        return value == bound;
    case SQLITE_INDEX_CONSTRAINT_GT:
        return value > bound;
    case SQLITE_INDEX_CONSTRAINT_GE:
        return value >= bound;
    case SQLITE_INDEX_CONSTRAINT_LT:
        return value < bound;
    case SQLITE_INDEX_CONSTRAINT_LE:
        return value <= bound;
    default:
        return true;
    }
}

// A condition with its value bound for one scan. Comparisons are only used
// to narrow the scan (SQLite checks them again on the rows it gets); a LIKE
// is checked here alone, with the same matcher as the like() function.
struct BoundCondition {
    int column = 0;
    unsigned char op = 0;
    std::optional<sqlite3_int64> bound;
    std::shared_ptr<const LikePattern> pattern;
    bool nullOperand = false;
    // The cursor's search for the pattern's piece has found it in every
    // row it asks about, which decides this LIKE.
    bool decidedByPieceSearch = false;

    bool accepts(const TableCopy& copy, const Row& row) const {
        if (nullOperand) {
            return false;
        }
        if (decidedByPieceSearch) {
            return true;
        }
        if (pattern) {
            if (column < kFirstTextColumn) {
                return pattern->matchesInteger(row.numbers[column]);
            }
            return column == kIndex ? pattern->matchesFolded(copy.foldedIndex(row))
                                    : pattern->matches(copy.text(row, column));
        }
        return !bound || column >= kFirstTextColumn ||
               compareNumbers(row.numbers[column], op, *bound);
    }
};

struct Table : sqlite3_vtab {
    const TableCopy* copy = nullptr;
};

struct Cursor : sqlite3_vtab_cursor {
    const TableCopy* copy = nullptr;
    std::vector<BoundCondition> conditions;
    // A piece every accepted row's folded index contains, when a LIKE on
    // the index says so: the scan then searches the whole block of indexes
    // for it and passes over the rows between its occurrences unread.
    const ByteSearcher* requiredPiece = nullptr;
    // The current row, and the end of the rows the scan may reach.
    std::size_t at = 0;
    std::size_t end = 0;

    bool accepts(const Row& row) const {
        return std::all_of(conditions.begin(), conditions.end(),
                           [this, &row](const BoundCondition& c) { return c.accepts(*copy, row); });
    }
    // Moves to the first row from at that every condition accepts.
    void skipRejected() {
        while (at < end) {
            if (requiredPiece != nullptr && !skipToRequiredPiece()) {
                return;
            }
            if (accepts((*copy)[at])) {
                return;
            }
            ++at;
        }
    }
    // Moves to the first row from at whose index holds the piece; false,
    // at the end, when none does. A NUL ends every index and the piece
    // holds none, so an occurrence never spans two rows.
    bool skipToRequiredPiece() {
        const std::size_t found =
            requiredPiece->find(copy->foldedIndexes, (*copy)[at].foldedIndex.at);
        if (found == std::string_view::npos) {
            at = end;
            return false;
        }
        const Row& current = (*copy)[at];
        if (found >= current.foldedIndex.at + current.foldedIndex.size) {
            const auto holder = std::upper_bound(
                copy->rows.begin() + static_cast<std::ptrdiff_t>(at), copy->rows.end(), found,
                [](std::size_t offset, const Row& r) { return offset < r.foldedIndex.at; });
            at = static_cast<std::size_t>(holder - copy->rows.begin()) - 1;
        }
        return at < end;
    }
    // Narrows [at, end) to the IDs an exact ID condition allows.
    void narrowToId(sqlite3_int64 id) {
        const auto first = copy->rows.begin() + static_cast<std::ptrdiff_t>(at);
        const auto last = copy->rows.begin() + static_cast<std::ptrdiff_t>(end);
        const auto lower = std::lower_bound(
            first, last, id, [](const Row& r, sqlite3_int64 v) { return r.id() < v; });
        const auto upper = std::upper_bound(
            lower, last, id, [](sqlite3_int64 v, const Row& r) { return v < r.id(); });
        at = static_cast<std::size_t>(lower - copy->rows.begin());
        end = static_cast<std::size_t>(upper - copy->rows.begin());
    }
};

int connectTable(sqlite3* db, void* clientData, int, const char* const*, sqlite3_vtab** out,
                 char**) {
    const int rc = sqlite3_declare_vtab(db, kDeclaration);
    if (rc != SQLITE_OK) {
        return rc;
    }
    auto* table = new Table{};
    table->copy = static_cast<const TableCopy*>(clientData);
    *out = table;
    return SQLITE_OK;
}

int disconnectTable(sqlite3_vtab* table) {
    delete static_cast<Table*>(table);
    return SQLITE_OK;
}

bool checkedHere(unsigned char op) {
    switch (op) {
    case SQLITE_INDEX_CONSTRAINT_EQ:
    case SQLITE_INDEX_CONSTRAINT_GT:
    case SQLITE_INDEX_CONSTRAINT_GE:
    case SQLITE_INDEX_CONSTRAINT_LT:
    case SQLITE_INDEX_CONSTRAINT_LE:
    case SQLITE_INDEX_CONSTRAINT_LIKE:
        return true;
    default:
        return false;
    }
}

// The plan passes every usable condition to the scan, written into idxStr
// as "column:op" pairs in the order of the filter's arguments.
int planScan(sqlite3_vtab* table, sqlite3_index_info* info) {
    std::string plan;
    int arguments = 0;
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& constraint = info->aConstraint[i];
        if (!constraint.usable || !checkedHere(constraint.op)) {
            continue;
        }
        const int column = constraint.iColumn < 0 ? kId : constraint.iColumn;
        plan += std::to_string(column) + ':' + std::to_string(constraint.op) + ' ';
        info->aConstraintUsage[i].argvIndex = ++arguments;
        info->aConstraintUsage[i].omit = constraint.op == SQLITE_INDEX_CONSTRAINT_LIKE;
    }
    info->idxStr = sqlite3_mprintf("%s", plan.c_str());
    info->needToFreeIdxStr = 1;
    info->orderByConsumed = info->nOrderBy == 1 && !info->aOrderBy[0].desc &&
                            (info->aOrderBy[0].iColumn == kId || info->aOrderBy[0].iColumn < 0);
    // Fewer rows for more conditions, so SQLite prefers the plan that
    // passes the most of them.
    const auto rows = static_cast<sqlite3_int64>(static_cast<Table*>(table)->copy->size());
    info->estimatedRows = rows / (1 + arguments);
    info->estimatedCost = static_cast<double>(info->estimatedRows);
    return info->idxStr ? SQLITE_OK : SQLITE_NOMEM;
}

std::vector<Condition> parsePlan(const char* plan) {
    std::vector<Condition> conditions;
    int column = 0;
    int op = 0;
    int consumed = 0;
    while (plan && std::sscanf(plan, "%d:%d %n", &column, &op, &consumed) == 2) {
        conditions.push_back({column, static_cast<unsigned char>(op)});
        plan += consumed;
    }
    return conditions;
}

int filterRows(sqlite3_vtab_cursor* base, int, const char* plan, int argc, sqlite3_value** argv) {
    auto* cursor = static_cast<Cursor*>(base);
    cursor->conditions.clear();
    cursor->requiredPiece = nullptr;
    cursor->at = 0;
    cursor->end = cursor->copy->size();
    const std::vector<Condition> conditions = parsePlan(plan);
    for (std::size_t i = 0; i < conditions.size() && i < static_cast<std::size_t>(argc); ++i) {
        BoundCondition bound{conditions[i].column, conditions[i].op, {}, {}, false};
        sqlite3_value* operand = argv[i];
        if (sqlite3_value_type(operand) == SQLITE_NULL) {
            bound.nullOperand = true;
        } else if (bound.op == SQLITE_INDEX_CONSTRAINT_LIKE) {
            bound.pattern = std::make_shared<const LikePattern>(textOf(operand));
            if (bound.column == kIndex && cursor->requiredPiece == nullptr) {
                cursor->requiredPiece = bound.pattern->containedPiece();
                bound.decidedByPieceSearch = cursor->requiredPiece != nullptr;
            }
            if (bound.column == kId && bound.pattern->exactNumber()) {
                cursor->narrowToId(*bound.pattern->exactNumber());
            }
        } else if (sqlite3_value_type(operand) == SQLITE_INTEGER) {
            bound.bound = sqlite3_value_int64(operand);
            if (bound.column == kId && bound.op == SQLITE_INDEX_CONSTRAINT_EQ) {
                cursor->narrowToId(*bound.bound);
            }
        }
        cursor->conditions.push_back(std::move(bound));
    }
    cursor->skipRejected();
    return SQLITE_OK;
}

int openCursor(sqlite3_vtab* table, sqlite3_vtab_cursor** out) {
    auto* cursor = new Cursor{};
    cursor->copy = static_cast<Table*>(table)->copy;
    *out = cursor;
    return SQLITE_OK;
}

int closeCursor(sqlite3_vtab_cursor* cursor) {
    delete static_cast<Cursor*>(cursor);
    return SQLITE_OK;
}

int nextRow(sqlite3_vtab_cursor* base) {
    auto* cursor = static_cast<Cursor*>(base);
    ++cursor->at;
    cursor->skipRejected();
    return SQLITE_OK;
}

int atEnd(sqlite3_vtab_cursor* base) {
    const auto* cursor = static_cast<Cursor*>(base);
    return cursor->at >= cursor->end;
}

int columnValue(sqlite3_vtab_cursor* base, sqlite3_context* context, int index) {
    const auto* cursor = static_cast<Cursor*>(base);
    const Row& row = (*cursor->copy)[cursor->at];
    if (index < kFirstTextColumn) {
        sqlite3_result_int64(context, row.numbers[index]);
    } else if (index < kColumnCount) {
        const std::string_view text = cursor->copy->text(row, index);
        // The copy lives as long as the connection, longer than any statement.
        // A length of -1 says the text ends at its NUL, which spares SQLite a
        // copy per value to add one; it is the true length unless the text
        // holds a NUL of its own.
        sqlite3_result_text(context, text.data(),
                            row.textsWithoutNul ? -1 : static_cast<int>(text.size()),
                            SQLITE_STATIC);
    }
    return SQLITE_OK;
}

int rowId(sqlite3_vtab_cursor* base, sqlite3_int64* out) {
    const auto* cursor = static_cast<Cursor*>(base);
    *out = (*cursor->copy)[cursor->at].id();
    return SQLITE_OK;
}

sqlite3_module makeModule() {
    sqlite3_module module{};
    module.iVersion = 1;
    module.xCreate = connectTable;
    module.xConnect = connectTable;
    module.xBestIndex = planScan;
    module.xDisconnect = disconnectTable;
    module.xDestroy = disconnectTable;
    module.xOpen = openCursor;
    module.xClose = closeCursor;
    module.xFilter = filterRows;
    module.xNext = nextRow;
    module.xEof = atEnd;
    module.xColumn = columnValue;
    module.xRowid = rowId;
    return module;
}

const sqlite3_module kModule = makeModule();

void deleteCopy(void* copy) {
    delete static_cast<TableCopy*>(copy);
}

} // namespace

Done installAyatTable(sqlite3* db) {
    QString error;
    std::unique_ptr<TableCopy> copy = loadTable(db, error);
    if (!copy) {
        return Done::failed(error);
    }
    // The module owns the copy from here, failure included.
    if (sqlite3_create_module_v2(db, kModuleName, &kModule, copy.release(), deleteCopy) !=
            SQLITE_OK ||
        sqlite3_exec(db, "CREATE VIRTUAL TABLE temp.Ayat USING velmor_ayat", nullptr, nullptr,
                     nullptr) != SQLITE_OK) {
        return Done::failed(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    return done();
}

} // namespace velmor::store
