#pragma once

#include "quotation_finder.h"
#include "similar_ayas.h"

#include <QColor>
#include <QString>

namespace velmor {

// The colours a quotation is marked in: exact, with slips, and the words
// that differ.
struct VerifyColours {
    QColor exact{0xc8, 0xe6, 0xc9};
    QColor differs{0xff, 0xe0, 0xb2};
    QColor slip{0xe5, 0x73, 0x73};
    QColor outside{0x75, 0x75, 0x75};
};

// "مطابق" or "فيه اختلاف: N", after the places of the quotation.
QString quotationTitle(const verify::QuranWords& quran, const verify::Quotation& quotation);
// What the quotation's tooltip in the text says: the ayas it quotes, by name.
QString quotationTip(const verify::QuranWords& quran, const verify::Quotation& quotation);

// The quotation as written, its slips marked, then the aya or ayas of its
// first place with the words that differ marked, as right-to-left HTML.
QString quotationHtml(const verify::QuranWords& quran, const verify::Quotation& quotation,
                      QStringView input, const VerifyColours& colours);

// One aya's text as HTML, the words at these indexes (counted from its
// first word) marked; words before first or from last on (when given) are
// shown dimmed, as outside the quotation.
QString ayaHtml(const verify::QuranWords& quran, std::size_t aya, const std::vector<int>& marked,
                const VerifyColours& colours, std::size_t first = 0, std::size_t last = SIZE_MAX);

// The correct text of the place, as the compose window gives chosen ayas:
// each aya, " ( ", its result line, " )", a blank line.
QString correctText(const verify::QuranWords& quran, const verify::WordRun& place);

} // namespace velmor
