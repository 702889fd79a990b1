#pragma once

#include <string>
#include <string_view>

struct sqlite3;

namespace velmor::store {

// A LIKE pattern with the matching rules the queries were written for: '%'
// stands for any run of characters, '_' for exactly one, there is no escape
// character, the whole value must match, and both sides are compared in
// their Arabic-folded form (see arabic_fold.h).
class LikePattern {
public:
    explicit LikePattern(std::string_view patternUtf8);

    bool matches(std::string_view valueUtf8) const;

private:
    std::u32string pattern_;
    // Reused for the folded value so that a scan over many rows allocates once.
    mutable std::u32string value_;
};

// Replaces the connection's two-argument like() with LikePattern matching.
// Returns an SQLite result code.
int installJetLike(sqlite3* db);

} // namespace velmor::store
