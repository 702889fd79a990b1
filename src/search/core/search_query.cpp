#include "search_query.h"

#include "catalogue.h"

namespace velmor {

using namespace store::catalogue;

QString composeSearchQuery(const QString& text, const SearchOptions& o) {
    const bool word = o.wholeWord;
    switch (o.scope) {
    case 1:
        return word ? wordInJuz(o.part + 1, text) : partInJuz(o.part + 1, text);
    case 2:
        return word ? wordInJuzRange(o.part1 + 1, o.part2 + 1, text)
                    : partInJuzRange(o.part1 + 1, o.part2 + 1, text);
    case 3:
        return word ? wordInSura(o.sora + 1, text) : partInSura(o.sora + 1, text);
    case 4:
        return word ? wordInSuraRange(o.sora1 + 1, o.sora2 + 1, text)
                    : partInSuraRange(o.sora1 + 1, o.sora2 + 1, text);
    default:
        return word ? wordInWholeText(text) : partInWholeText(text);
    }
}

} // namespace velmor
