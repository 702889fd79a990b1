#pragma once

#include "match_spans.h"

#include <QString>
#include <optional>
#include <vector>

namespace velmor {

// The script the text is read in: the simple spelling the search reads, or
// the King Fahd Complex's Hafs text in the Uthmani script of the printed
// mushaf.
enum class Script { Simple, Uthmani };
// Its Arabic title, as the reader picks it.
QString scriptTitle(Script script);
// The word that names it on the command line and in the settings.
QString scriptKey(Script script);
std::optional<Script> scriptNamed(const QString& key);

// A word of an aya's text, in UTF-16 positions.
struct TextWord {
    qsizetype start = 0;
    qsizetype length = 0;
};

// The words of a marked text: runs between blanks (space or no-break
// space). A sign standing alone (a pause mark, the hizb sign ۞, the
// prostration sign ۩) is not a word.
std::vector<TextWord> textWords(const QString& text);

// For each word of the simple text, the Uthmani word that holds it. The
// Uthmani text joins some words the simple one writes apart (يا أيها is
// يَٰٓأَيُّهَا, ما لي is مَالِيَ), never the other way; the words are aligned
// by their consonants, so each Uthmani word holds one or more consecutive
// simple words. Texts that share no alignment map in order.
std::vector<int> uthmaniWordOf(const QString& simple, const QString& uthmani);

// The stretches of the Uthmani text that hold what the spans matched in the
// simple text: each whole word holding a match, words in a row as one
// stretch. UTF-16 positions.
QList<MatchSpan> uthmaniSpans(const QList<MatchSpan>& simpleSpans, const QString& simple,
                              const QString& uthmani);

} // namespace velmor
