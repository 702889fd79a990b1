#pragma once

#include "outcome.h"
#include "reading.h"
#include "script.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace velmor::store {
class RecordView;
}

namespace velmor::print {

// One aya as it is printed: its place, its text in the script asked for and
// its tafsir when one is asked for, exactly as stored.
struct PrintedAya {
    qint64 id = 0;
    int sura = 0;
    int aya = 0;
    QString text;
    QString tafsir;
};

// What is printed: the ayas in their order, with a tafsir or none.
struct PrintRequest {
    std::vector<qint64> ids;
    Script script = Script::Simple;
    std::optional<TafsirSource> tafsir;
};

// Reads the ayas through the view (connected already); fails naming the
// first ID that is not in the database.
Outcome<std::vector<PrintedAya>> readPrintedAyas(store::RecordView& view,
                                                 const PrintRequest& request);

// The IDs first..last.
std::vector<qint64> idsBetween(qint64 first, qint64 last);

} // namespace velmor::print
