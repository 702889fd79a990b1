#include "jet_like.h"

#include "arabic_fold.h"

#include <charconv>
#include <sqlite3.h>

namespace velmor::store {

namespace {

constexpr char32_t kAnyRun = U'%';
constexpr char32_t kAnyOne = U'_';

} // namespace

LikePattern::LikePattern(std::string_view patternUtf8) {
    std::u32string folded;
    appendFolded(patternUtf8, folded);
    // A run of '%' matches what one '%' matches; keeping one keeps the
    // matcher linear in the pattern however many were typed.
    for (char32_t c : folded) {
        if (c != kAnyRun || pattern_.empty() || pattern_.back() != kAnyRun) {
            pattern_ += c;
        }
        hasAnyOne_ = hasAnyOne_ || c == kAnyOne;
    }
    std::u32string piece;
    for (char32_t c : pattern_) {
        if (c == kAnyRun) {
            pieces_.push_back(encodeUtf8(piece));
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces_.push_back(encodeUtf8(piece));
    for (std::size_t k = 1; k + 1 < pieces_.size(); ++k) {
        middlePieces_.emplace_back(pieces_[k]);
    }
    leadingRun_ = !pattern_.empty() && pattern_.front() == kAnyRun;
    trailingRun_ = !pattern_.empty() && pattern_.back() == kAnyRun;

    const std::string text = encodeUtf8(pattern_);
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool canonical = !text.empty() && (text.size() == 1 || text.front() != '0');
    if (error == std::errc() && end == text.data() + text.size() && canonical &&
        text.front() != '-') {
        number_ = number;
    }
}

bool LikePattern::matches(std::string_view valueUtf8) const {
    // Without '_', a match of the raw bytes is a match of the folded text
    // too: the pattern holds only folded letters, and folding never splits
    // a run of them. Only a value that does not match raw needs the check.
    if (!hasAnyOne_ && matchesFolded(valueUtf8)) {
        return true;
    }
    if (isFoldedUtf8(valueUtf8)) {
        return hasAnyOne_ && matchesFolded(valueUtf8);
    }
    foldedValue_ = foldUtf8(valueUtf8);
    return matchesFolded(foldedValue_);
}

const ByteSearcher* LikePattern::containedPiece() const {
    const bool shape =
        !hasAnyOne_ && pieces_.size() == 3 && pieces_.front().empty() && pieces_.back().empty();
    return shape ? &middlePieces_.front() : nullptr;
}

bool LikePattern::matchesInteger(long long value) const {
    if (number_) {
        return value == *number_;
    }
    char text[24];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return matchesFolded(std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
}

bool LikePattern::matchesFolded(std::string_view folded) const {
    if (hasAnyOne_) {
        codePoints_ = decodeUtf8(folded);
        return matchesCodePoints(codePoints_);
    }
    if (pieces_.size() == 1) {
        return folded == pieces_.front();
    }
    // The first piece starts the value, the last one ends it, and the ones
    // between are found leftmost in order: without '_' the leftmost place of
    // each piece leaves the most room for the rest.
    const std::string& first = pieces_.front();
    const std::string& last = pieces_.back();
    if (folded.size() < first.size() + last.size() || !folded.starts_with(first) ||
        !folded.ends_with(last)) {
        return false;
    }
    const std::string_view between = folded.substr(0, folded.size() - last.size());
    std::size_t at = first.size();
    for (const ByteSearcher& piece : middlePieces_) {
        const std::size_t found = piece.find(between, at);
        if (found == std::string_view::npos) {
            return false;
        }
        at = found + piece.size();
    }
    return true;
}

bool LikePattern::matchesCodePoints(std::u32string_view v) const {
    const std::u32string& p = pattern_;
    constexpr std::size_t none = std::u32string::npos;
    std::size_t pi = 0;
    std::size_t vi = 0;
    std::size_t starAt = none; // position after the last '%' seen
    std::size_t resumeAt = 0;  // value position that '%' is trying to cover up to
    while (vi < v.size()) {
        if (pi < p.size() && p[pi] == kAnyRun) {
            starAt = ++pi;
            resumeAt = vi;
        } else if (pi < p.size() && (p[pi] == kAnyOne || p[pi] == v[vi])) {
            ++pi;
            ++vi;
        } else if (starAt != none) {
            pi = starAt;
            vi = ++resumeAt;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == kAnyRun) {
        ++pi;
    }
    return pi == p.size();
}

std::string_view textOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value)))
                : std::string_view();
}

namespace {

void deletePattern(void* pattern) {
    delete static_cast<LikePattern*>(pattern);
}

bool matchValue(const LikePattern& pattern, sqlite3_value* value) {
    if (sqlite3_value_type(value) == SQLITE_INTEGER) {
        return pattern.matchesInteger(sqlite3_value_int64(value));
    }
    return pattern.matches(textOf(value));
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
            sqlite3_result_int(context, matchValue(LikePattern(textOf(argv[0])), argv[1]));
            return;
        }
    }
    sqlite3_result_int(context, matchValue(*pattern, argv[1]) ? 1 : 0);
}

} // namespace

int installJetLike(sqlite3* db) {
    return sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   likeFunction, nullptr, nullptr);
}

} // namespace velmor::store
