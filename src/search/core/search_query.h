#pragma once

#include "connection_string.h"

#include <QString>

namespace velmor {

// What a search reads from the options: the scope (0 whole text, 1 one juz,
// 2 range of juz, 3 one sura, 4 range of suras), the whole-word choice and
// the picked entries of the six pickers (-1 when nothing is picked).
struct SearchOptions {
    int scope = 0;
    bool wholeWord = true;
    int part = -1, part1 = -1, part2 = -1;
    int sora = -1, sora1 = -1, sora2 = -1;
};

// The text a search looks for: no control character but tab (a NUL would
// end the SQL text early), a no-break space as a blank, runs of blanks as
// one (as in the index), and no blank at either end. A tab stays and is
// searched like any other character.
QString searchableText(const QString& typed);

// True when the text finds nothing to look for: it folds to nothing but
// blanks (marks or a tatweel alone).
bool isEmptySearch(const QString& text);

// The query for a search text: the catalogue form of the scope and matching
// mode, with juz and sura numbers taken as picked index + 1 (0 when nothing
// is picked). An unknown scope searches the whole text.
QString composeSearchQuery(const QString& text, const SearchOptions& options);

} // namespace velmor
