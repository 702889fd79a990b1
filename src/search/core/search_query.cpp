#include "search_query.h"

#include "arabic_fold.h"
#include "catalogue.h"
#include "connection_string.h"

namespace velmor {

using namespace store::catalogue;

QString searchableText(const QString& typed) {
    QString text;
    text.reserve(typed.size());
    for (const QChar c : typed) {
        if (c.unicode() < 0x20 && c != u'\t') {
            continue;
        }
        const QChar blankOrC = c == QChar(0x00A0) ? QChar(u' ') : c;
        if (blankOrC != u' ' || text.isEmpty() || text.back() != u' ') {
            text.append(blankOrC);
        }
    }
    return store::trimBlanks(text);
}

bool isEmptySearch(const QString& text) {
    const std::string folded = store::foldUtf8(text.toStdString());
    return folded.find_first_not_of(' ') == std::string::npos;
}

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
