#pragma once

#include "quotation_finder.h"
#include "similar_ayas.h"

#include <QString>
#include <QStringList>

namespace velmor::verify {

// Where a run of words stands: "S:A" (one aya), "S:A-B" (ayas of one sura)
// or "S:A-T:B".
QString placeText(const QuranWords& quran, const WordRun& place);
// The places of a quotation, separated by ",".
QString placesText(const QuranWords& quran, const std::vector<WordRun>& places);

// A slip as the command line writes it: "WRITTEN>CORRECT", "+CORRECT" or
// "-WRITTEN".
QString slipText(const Slip& slip);

// A quotation's line: "START:LENGTH<TAB>REFS<TAB>exact", or
// "START:LENGTH<TAB>REFS<TAB>differs" then a tab and each slip.
QString quotationLine(const QuranWords& quran, const Quotation& quotation);

// How the given aya's words (a) differ from a similar aya's (b), as slips
// from the first to the second, marks included.
std::vector<Slip> differences(const QuranWords& quran, std::size_t a, const SimilarAya& similar);

// The ayas one aya's run of a place covers, as indexes into ayas().
std::vector<std::size_t> ayasOf(const QuranWords& quran, const WordRun& place);

} // namespace velmor::verify
