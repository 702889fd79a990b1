#pragma once

#include "byte_search.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct Mem; // sqlite3_value, as sqlite3.h names it
using sqlite3_value = Mem;

namespace velmor::store {

// A LIKE pattern with the matching rules the queries were written for: '%'
// stands for any run of characters, '_' for exactly one, there is no escape
// character, the whole value must match, and both sides are compared in
// their Arabic-folded form (see arabic_fold.h).
class LikePattern {
public:
    explicit LikePattern(std::string_view patternUtf8);

    bool matches(std::string_view valueUtf8) const;
    // The same as matches() on the number's decimal text.
    bool matchesInteger(long long value) const;
    // matches() for a value already in folded form (see isFoldedUtf8).
    bool matchesFolded(std::string_view folded) const;
    // When the pattern is '%', one piece without '_', then '%': the piece,
    // which a folded value matches by containing it.
    const ByteSearcher* containedPiece() const;
    // The folded pattern, every run of '%' as one: what a match is made of.
    const std::u32string& folded() const { return pattern_; }
    // The one number the pattern matches, when it is the decimal text of one.
    const std::optional<long long>& exactNumber() const { return number_; }

private:
    bool matchesCodePoints(std::u32string_view folded) const;

    // The folded pattern with every run of '%' as one.
    std::u32string pattern_;
    // Without '_', the pattern is literal pieces between the '%', matched
    // as UTF-8 bytes: folding gives one encoding for each text.
    bool hasAnyOne_ = false;
    std::vector<std::string> pieces_;
    // The pieces between the first and the last: a scan searches every
    // value for them.
    std::vector<ByteSearcher> middlePieces_;
    bool leadingRun_ = false;
    bool trailingRun_ = false;
    std::optional<long long> number_;
    // Reused for the values that need folding, so a scan allocates once.
    mutable std::string foldedValue_;
    mutable std::u32string codePoints_;
};

// Replaces the connection's two-argument like() with LikePattern matching.
// Returns an SQLite result code.
int installJetLike(sqlite3* db);

// A text value as SQLite holds it (its whole length, NULs included); empty
// for NULL.
std::string_view textOf(sqlite3_value* value);

} // namespace velmor::store
