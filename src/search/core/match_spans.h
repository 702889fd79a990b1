#pragma once

#include <QList>
#include <QString>
#include <string>
#include <vector>

namespace velmor {

// A stretch of an aya's text, in code points.
struct MatchSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const MatchSpan&) const = default;
};

// Finds every stretch of a marked aya text that a search for text matched:
// the whole word or phrase for a stand-alone search, just the matching
// letters for part of a word, what '%' and '_' matched between the typed
// letters. Letters are compared folded, as the search compares them; the
// marks on a letter belong to it, and each stretch starts and ends on whole
// letters. Matches do not overlap; each is the shortest from its start. The
// pattern is the one the search compiles, compiled once for every aya of a
// result (a million '%' are one, not a million code points to fold again for
// each aya).
class SpanFinder {
public:
    SpanFinder(const QString& text, bool wholeWord);
    QList<MatchSpan> spans(const QString& markedAya) const;

private:
    std::vector<std::u32string> pieces_;
    bool wholeWord_;
};

// The spans as UTF-16 positions of the same text, for a text document.
QList<MatchSpan> utf16Spans(const QList<MatchSpan>& codePointSpans, const QString& text);

} // namespace velmor
