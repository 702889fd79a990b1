#pragma once

#include "match_spans.h"

#include <QString>
#include <vector>

namespace velmor {

// One aya as the reading window shows it.
struct ReaderAya {
    qint64 id = 0;
    int aya = 0;
    int page = 0;
    QString text; // marked, exactly as stored
};

// A whole sura as continuous text: each aya followed by its end marker.
// Positions are UTF-16 offsets into body, as a text document counts them.
struct SuraText {
    struct Placed {
        qint64 id = 0;
        qsizetype start = 0; // the aya's text
        qsizetype length = 0;
        qsizetype markerStart = 0;
        qsizetype markerLength = 0;
    };
    int sura = 0;
    QString header; // "سورة NAME · CLASS · آياتها COUNT"
    QString body;
    std::vector<ReaderAya> ayas;
    std::vector<Placed> placed; // one per aya, in order

    // The aya's placement; null when the aya is not in this sura.
    const Placed* find(qint64 id) const;
    // The aya a position of the body belongs to: its text, its end marker
    // or the blank before it; null in an empty sura.
    const Placed* at(qsizetype position) const;
};

// The end marker of an aya: the mushaf's end-of-aya sign around its number
// in Arabic-Indic digits.
QString ayaEndMarker(int aya);

// Joins the sura's ayas, in their order, into one text.
SuraText assembleSura(int sura, std::vector<ReaderAya> ayas);

// Every stretch of the body a search matched: the spans the search gives each
// aya (as --spans prints them), moved to the aya's place in the body.
QList<MatchSpan> bodySpans(const SuraText& sura, const QString& searchText, bool wholeWord);

// The text with every combining mark removed (harakat, Quranic marks,
// superscript alef); letters, tatweel and blanks as stored.
QString withoutMarks(const QString& text);

// The text as a plain copy gives it: letters only, without marks or
// tatweel; a pause mark and the no-break space that carries it become one
// blank, and blanks in a row one (a no-break space between two words stays).
QString plainLetters(const QString& text);

} // namespace velmor
