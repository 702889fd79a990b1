#pragma once

#include "research_index.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace velmor::research {

// A hit as a concordance line: its reference and source, then a few words
// either side of what it matched; as HTML with the matched words marked in
// the colour given, or as plain text.
QString hitReference(const ResearchIndex& index, const Hit& hit); // "البقرة : 275"
QString contextHtml(const ResearchIndex& index, const Hit& hit, const QString& markColour);
QString contextText(const ResearchIndex& index, const Hit& hit);

// The stretches a hit matched, as its source writes them, joined by " … ".
QString matchedText(const ResearchIndex& index, const Hit& hit);

// The hits as CSV for a spreadsheet: UTF-8 with a byte order mark, a header,
// then per hit its reference (S:A), sura name, aya, source and matched text;
// fields quoted where they must be, lines ended by CR LF.
QByteArray csvOf(const ResearchIndex& index, const std::vector<Hit>& hits);

// The ayas of the hits, each once in reading order, as the compose window
// gives chosen ayas.
QString composedOf(const ResearchIndex& index, const std::vector<Hit>& hits);

} // namespace velmor::research
