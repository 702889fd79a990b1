#include "match_spans.h"

#include "arabic_fold.h"
#include "catalogue.h"
#include "jet_like.h"

#include <optional>
#include <vector>

namespace velmor {

namespace {

// The aya folded as the index is, each folded letter remembering the code
// points of the marked text it stands for (its marks included).
struct FoldedText {
    std::u32string letters;
    std::vector<std::pair<qsizetype, qsizetype>> origins; // [start, end) in code points
};

FoldedText foldWithOrigins(const std::u32string& marked) {
    FoldedText folded;
    // The index has a blank at each end, so a first or last word stands alone.
    folded.letters += U' ';
    folded.origins.emplace_back(0, 0);
    for (qsizetype i = 0; i < static_cast<qsizetype>(marked.size()); ++i) {
        char32_t c = store::foldCodePoint(marked[static_cast<std::size_t>(i)]);
        // As in the searchable form: every blank is a space, a run is one.
        if (store::isIndexBlank(c)) {
            c = U' ';
        }
        // A mark belongs to the letter before it; a run of blanks is one.
        if (c == 0 || (c == U' ' && folded.letters.back() == U' ')) {
            folded.origins.back().second = i + 1;
        } else {
            folded.letters += c;
            folded.origins.emplace_back(i, i + 1);
        }
    }
    if (folded.letters.back() != U' ') {
        folded.letters += U' ';
        folded.origins.emplace_back(static_cast<qsizetype>(marked.size()),
                                    static_cast<qsizetype>(marked.size()));
    }
    return folded;
}

// Where piece (with '_' for any one letter) stands at position at, if it does.
bool pieceAt(std::u32string_view piece, const std::u32string& letters, std::size_t at) {
    if (at + piece.size() > letters.size()) {
        return false;
    }
    for (std::size_t k = 0; k < piece.size(); ++k) {
        if (piece[k] != U'_' && piece[k] != letters[at + k]) {
            return false;
        }
    }
    return true;
}

// The end of the shortest match of the pieces (separated by '%') that
// starts exactly at start: the first piece there, each next one leftmost.
std::optional<std::size_t> shortestMatchFrom(const std::vector<std::u32string>& pieces,
                                             const std::u32string& letters, std::size_t start) {
    if (!pieceAt(pieces.front(), letters, start)) {
        return std::nullopt;
    }
    std::size_t end = start + pieces.front().size();
    for (std::size_t p = 1; p < pieces.size(); ++p) {
        std::size_t at = end;
        while (at + pieces[p].size() <= letters.size() && !pieceAt(pieces[p], letters, at)) {
            ++at;
        }
        if (at + pieces[p].size() > letters.size()) {
            return std::nullopt;
        }
        end = at + pieces[p].size();
    }
    return end;
}

} // namespace

SpanFinder::SpanFinder(const QString& text, bool wholeWord) : wholeWord_(wholeWord) {
    // The pattern as the search compiles it (folded, a run of '%' one),
    // split at its '%' into what stands between them.
    const store::LikePattern compiled(
        store::catalogue::searchPattern(text, wholeWord).toStdString());
    pieces_.emplace_back();
    for (char32_t c : compiled.folded()) {
        if (c != U'%') {
            pieces_.back() += c;
        } else if (!pieces_.back().empty()) {
            pieces_.emplace_back();
        }
    }
    if (pieces_.back().empty()) {
        pieces_.pop_back();
    }
}

QList<MatchSpan> SpanFinder::spans(const QString& markedAya) const {
    const std::vector<std::u32string>& pieces = pieces_;
    const bool wholeWord = wholeWord_;
    QList<MatchSpan> spans;
    if (pieces.empty()) {
        return spans;
    }
    const FoldedText folded = foldWithOrigins(markedAya.toStdU32String());
    const std::u32string& letters = folded.letters;
    std::size_t from = 0;
    while (from < letters.size()) {
        const auto end = shortestMatchFrom(pieces, letters, from);
        if (!end || *end == from) {
            ++from;
            continue;
        }
        // The blanks around a stand-alone word are not part of it.
        std::size_t first = from;
        std::size_t last = *end;
        while (first < last && letters[first] == U' ') {
            ++first;
        }
        while (last > first && letters[last - 1] == U' ') {
            --last;
        }
        if (first < last) {
            const qsizetype start = folded.origins[first].first;
            const qsizetype stop = folded.origins[last - 1].second;
            spans.append({start, stop - start});
        }
        // A word's closing blank may open the next word.
        from = wholeWord ? std::max(*end - 1, from + 1) : *end;
    }
    return spans;
}

QList<MatchSpan> utf16Spans(const QList<MatchSpan>& codePointSpans, const QString& text) {
    // The UTF-16 position of every code point position.
    std::vector<qsizetype> at{0};
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())) {
            at.push_back(i + 1);
        } else {
            at.back() = i + 1;
        }
    }
    QList<MatchSpan> spans;
    for (const MatchSpan& span : codePointSpans) {
        const auto start = static_cast<std::size_t>(span.start);
        const auto end = static_cast<std::size_t>(span.start + span.length);
        if (end < at.size()) {
            spans.append({at[start], at[end] - at[start]});
        }
    }
    return spans;
}

} // namespace velmor
