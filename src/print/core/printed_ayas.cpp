#include "printed_ayas.h"

#include "catalogue.h"
#include "record_view.h"

#include <QHash>

namespace velmor::print {

std::vector<qint64> idsBetween(qint64 first, qint64 last) {
    std::vector<qint64> ids;
    for (qint64 id = first; id <= last; ++id) {
        ids.push_back(id);
    }
    return ids;
}

namespace {

// The runs of consecutive IDs, each read with one query.
std::vector<std::pair<qint64, qint64>> runsOf(const std::vector<qint64>& ids) {
    std::vector<std::pair<qint64, qint64>> runs;
    for (const qint64 id : ids) {
        if (!runs.empty() && runs.back().second + 1 == id) {
            runs.back().second = id;
        } else {
            runs.emplace_back(id, id);
        }
    }
    return runs;
}

// Column column of the query's rows, by ID.
QHash<qint64, QString> fieldById(store::RecordView& view, const QString& sql, QStringView column) {
    QHash<qint64, QString> fields;
    view.setRecordSource(sql);
    view.refresh();
    for (; !view.eof(); view.moveNext()) {
        fields.insert(view.integer(u"ID"), view.field(column));
    }
    return fields;
}

} // namespace

Outcome<std::vector<PrintedAya>> readPrintedAyas(store::RecordView& view,
                                                 const PrintRequest& request) {
    std::vector<PrintedAya> ayas;
    ayas.reserve(request.ids.size());
    for (const auto& [first, last] : runsOf(request.ids)) {
        std::vector<PrintedAya> run;
        view.setRecordSource(store::catalogue::ayasBetween(first, last));
        view.refresh();
        for (; !view.eof(); view.moveNext()) {
            run.push_back(
                {view.integer(u"ID"), static_cast<int>(view.integer(u"soraano")),
                 static_cast<int>(view.integer(u"ayaano")), view.field(u"ayaa"),
                 request.tafsir == TafsirSource::Muyassar ? view.field(u"taf") : QString()});
        }
        if (static_cast<qint64>(run.size()) != last - first + 1) {
            return Outcome<std::vector<PrintedAya>>::failed(
                QStringLiteral("no aya with ID %1 in the database")
                    .arg(run.empty() ? first : run.back().id + 1));
        }
        if (request.script == Script::Uthmani) {
            const QHash<qint64, QString> uthmani =
                fieldById(view, store::catalogue::uthmaniOf(first, last), u"ayaa");
            for (PrintedAya& aya : run) {
                aya.text = uthmani.value(aya.id, aya.text);
            }
        }
        if (request.tafsir == TafsirSource::Jalalayn) {
            const QHash<qint64, QString> jalalayn =
                fieldById(view, store::catalogue::jalalaynBetween(first, last), u"taf");
            for (PrintedAya& aya : run) {
                aya.tafsir = jalalayn.value(aya.id);
            }
        }
        ayas.insert(ayas.end(), run.begin(), run.end());
    }
    return ayas;
}

} // namespace velmor::print
