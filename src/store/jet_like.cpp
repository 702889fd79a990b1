#include "jet_like.h"

#include "arabic_fold.h"

#include <sqlite3.h>

namespace velmor::store {

LikePattern::LikePattern(std::string_view patternUtf8) {
    appendFolded(patternUtf8, pattern_);
}

bool LikePattern::matches(std::string_view valueUtf8) const {
    value_.clear();
    appendFolded(valueUtf8, value_);

    const std::u32string& p = pattern_;
    const std::u32string& v = value_;
    constexpr std::size_t none = std::u32string::npos;
    std::size_t pi = 0;
    std::size_t vi = 0;
    std::size_t starAt = none; // position after the last '%' seen
    std::size_t resumeAt = 0;  // value position that '%' is trying to cover up to
    while (vi < v.size()) {
        if (pi < p.size() && p[pi] == U'%') {
            starAt = ++pi;
            resumeAt = vi;
        } else if (pi < p.size() && (p[pi] == U'_' || p[pi] == v[vi])) {
            ++pi;
            ++vi;
        } else if (starAt != none) {
            pi = starAt;
            vi = ++resumeAt;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'%') {
        ++pi;
    }
    return pi == p.size();
}

namespace {

std::string_view textOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value)))
                : std::string_view();
}

void deletePattern(void* pattern) {
    delete static_cast<LikePattern*>(pattern);
}

// like(pattern, value): SQLite hands the right operand of "value LIKE pattern"
// first. The compiled pattern is kept as auxiliary data, so a constant pattern
// is folded once per statement rather than once per row.
void likeFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        return; // NULL result
    }
    auto* pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(context, 0));
    if (pattern == nullptr) {
        sqlite3_set_auxdata(context, 0, new LikePattern(textOf(argv[0])), deletePattern);
        pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(context, 0));
        if (pattern == nullptr) { // SQLite could not keep it and has deleted it
            sqlite3_result_int(context, LikePattern(textOf(argv[0])).matches(textOf(argv[1])));
            return;
        }
    }
    sqlite3_result_int(context, pattern->matches(textOf(argv[1])) ? 1 : 0);
}

} // namespace

int installJetLike(sqlite3* db) {
    return sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   likeFunction, nullptr, nullptr);
}

} // namespace velmor::store
