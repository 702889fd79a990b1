#include "sura_text.h"

#include "reference.h"
#include "reference_lists.h"

#include <algorithm>

namespace velmor {

const SuraText::Placed* SuraText::find(qint64 id) const {
    const auto at = std::lower_bound(placed.begin(), placed.end(), id,
                                     [](const Placed& p, qint64 wanted) { return p.id < wanted; });
    return at != placed.end() && at->id == id ? &*at : nullptr;
}

const SuraText::Placed* SuraText::at(qsizetype position) const {
    // The first aya whose marker ends after the position.
    const auto found = std::upper_bound(
        placed.begin(), placed.end(), position,
        [](qsizetype wanted, const Placed& p) { return wanted < p.markerStart + p.markerLength; });
    if (found != placed.end()) {
        return &*found;
    }
    return placed.empty() ? nullptr : &placed.back();
}

QString ayaEndMarker(int aya) {
    // Ornate parentheses, as printed mushafs quote an aya's number; they
    // need no font feature beyond their glyphs.
    return QChar(0xFD3F) + arabicIndicNumber(aya) + QChar(0xFD3E);
}

SuraText assembleSura(int sura, std::vector<ReaderAya> ayas) {
    SuraText result;
    result.sura = sura;
    if (sura >= 1 && sura <= store::compairlist().size()) {
        result.header = QStringLiteral("سورة %1 · %2 · آياتها %3")
                            .arg(store::compairlist()[sura - 1], store::typelist()[sura - 1],
                                 arabicIndicNumber(static_cast<qint64>(ayas.size())));
    }
    result.placed.reserve(ayas.size());
    for (std::size_t k = 0; k < ayas.size(); ++k) {
        const ReaderAya& aya = ayas[k];
        SuraText::Placed placed;
        placed.id = aya.id;
        placed.start = result.body.size();
        placed.length = aya.text.size();
        result.body += aya.text;
        result.body += u' ';
        placed.markerStart = result.body.size();
        const QString marker = ayaEndMarker(aya.aya);
        placed.markerLength = marker.size();
        result.body += marker;
        // Each mushaf page is a paragraph of its own: the text flows within
        // it, and a long sura is laid out a page at a time.
        const bool pageEnds = k + 1 < ayas.size() && ayas[k + 1].page != aya.page;
        result.body += pageEnds ? QChar(QChar::ParagraphSeparator) : QChar(u' ');
        result.placed.push_back(placed);
    }
    result.ayas = std::move(ayas);
    return result;
}

QList<MatchSpan> bodySpans(const SuraText& sura, const QString& searchText, bool wholeWord) {
    QList<MatchSpan> spans;
    const SpanFinder finder(searchText, wholeWord);
    for (std::size_t k = 0; k < sura.ayas.size(); ++k) {
        const QString& text = sura.ayas[k].text;
        for (const MatchSpan& span : utf16Spans(finder.spans(text), text)) {
            spans.append({sura.placed[k].start + span.start, span.length});
        }
    }
    return spans;
}

QString withoutMarks(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Mark_NonSpacing && c.category() != QChar::Mark_Enclosing) {
            plain += c;
        }
    }
    return plain;
}

QString plainLetters(const QString& text) {
    const auto isPauseMark = [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06DC; };
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (isPauseMark(c)) {
            // The mark goes with the no-break space that carries it, and its
            // place is one blank between the words.
            if (plain.endsWith(QChar(0x00A0))) {
                plain.chop(1);
            }
            if (i + 1 < text.size() && text[i + 1] == QChar(0x00A0)) {
                ++i;
            }
            c = u' ';
        } else if (c.category() == QChar::Mark_NonSpacing ||
                   c.category() == QChar::Mark_Enclosing || c == QChar(0x0640)) {
            continue; // marks and tatweel
        }
        if (c == u' ' && (plain.isEmpty() || plain.back() == u' ')) {
            continue;
        }
        plain += c;
    }
    if (plain.endsWith(u' ')) {
        plain.chop(1);
    }
    return plain;
}

} // namespace velmor
