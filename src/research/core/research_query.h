#pragma once

#include "outcome.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace velmor::research {

// Words in a row, as typed ('%' and '_' keep their pattern meaning).
struct Phrase {
    QStringList words;
    bool operator==(const Phrase&) const = default;
};

// One term of a query: any of these words or phrases.
struct Term {
    std::vector<Phrase> choices;
    bool operator==(const Term&) const = default;
};

// A researcher's query: an aya matches when it has every required term, in
// any order, and none of the excluded ones.
struct Query {
    std::vector<Term> required;
    std::vector<Term> excluded;
    bool operator==(const Query&) const = default;
};

// The grammar: terms separated by blanks; "…" a phrase; a|b|c (no blanks
// around '|') any of them, a quoted phrase among them; -term excludes.
// What cannot be understood (an unclosed quote, an empty term, '|' at an
// end, exclusions alone, nothing at all) fails with one Arabic sentence.
Outcome<Query> parseQuery(const QString& text);

} // namespace velmor::research
