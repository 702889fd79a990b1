#pragma once

#include <QString>
#include <functional>

namespace velmor::store {
class RecordView;
}

namespace velmor {

class ChosenList;

// The aya display: the aya text, " (", its result line, " )".
QString ayaDisplayText(const QString& ayaText, const QString& resultLine);

// One unit of a whole sura's text: the aya, " (", its running number, ") ".
// The sura is one paragraph that ends in a blank.
QString wholeSuraUnit(const QString& ayaText, int number);

// One unit of the chosen ayas' text: the aya, " ( ", its result line, " )",
// then CR LF twice, so a blank line follows every aya.
QString chosenAyaUnit(const QString& ayaText, const QString& resultLine);

// Called after each aya; returning false stops the composition (its window
// was closed), and what was composed so far is returned.
using ComposeYield = std::function<bool()>;

// Every aya of a sura, numbered by counting rows in table order.
QString composeWholeSura(store::RecordView& view, int sura, const ComposeYield& yield);

// The chosen ayas in their order: entry k gives the ID and result line of
// the k-th chosen aya. The count is read again before each aya, so a list
// that changes meanwhile is followed, never overrun.
struct ChosenEntries {
    std::function<qsizetype()> count;
    std::function<qint64(qsizetype)> id;
    std::function<QString(qsizetype)> line;
};
ChosenEntries entriesOf(const ChosenList& chosen);
QString composeChosen(store::RecordView& view, const ChosenEntries& entries,
                      const ComposeYield& yield);

} // namespace velmor
