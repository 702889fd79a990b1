// The command line's research over the text and the tafsirs.
#include "command_runs.h"
#include "connection_string.h"
#include "record_view.h"
#include "result_set.h"

#include <map>

namespace velmor::runs {

namespace {

using research::Hit;
using research::ResearchIndex;
using Format = CommandLine::FindRequest::Format;

// Every aya found once, in reading order.
std::vector<std::size_t> ayasFound(const std::vector<Hit>& hits) {
    std::vector<std::size_t> ayas;
    for (const Hit& hit : hits) {
        if (ayas.empty() || ayas.back() != hit.aya) {
            ayas.push_back(hit.aya);
        }
    }
    return ayas;
}

QString spansText(const QList<MatchSpan>& spans) {
    QStringList pairs;
    for (const MatchSpan& span : spans) {
        pairs.append(QStringLiteral("%1:%2").arg(span.start).arg(span.length));
    }
    return pairs.join(u' ');
}

QString printed(const ResearchIndex& index, const CommandLine::FindRequest& request,
                const std::vector<Hit>& hits) {
    const std::vector<std::size_t> ayas = ayasFound(hits);
    QString text;
    if (!request.countBy.isEmpty()) {
        std::map<int, int> counts;
        for (const std::size_t aya : ayas) {
            const research::ResearchAya& place = index.ayas()[aya];
            ++counts[request.countBy == u"juz" ? place.juz : place.sura];
        }
        for (const auto& [number, count] : counts) {
            text += QStringLiteral("%1\t%2\n").arg(number).arg(count);
        }
        return text + QString::number(ayas.size()) + u'\n';
    }
    switch (request.format) {
    case Format::Lines:
        for (const std::size_t aya : ayas) {
            text += resultLine(index.ayas()[aya].sura, index.ayas()[aya].aya) + u'\n';
        }
        return text + QString::number(ayas.size()) + u'\n';
    case Format::Tsv:
        for (const Hit& hit : hits) {
            const research::ResearchAya& place = index.ayas()[hit.aya];
            text += QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                        .arg(place.id)
                        .arg(place.sura)
                        .arg(place.aya)
                        .arg(research::sourceKey(hit.source), spansText(hit.spans));
        }
        return text;
    case Format::Json: {
        // Written by hand to keep the fields in their documented order.
        QStringList objects;
        for (const Hit& hit : hits) {
            const research::ResearchAya& place = index.ayas()[hit.aya];
            QStringList spans;
            for (const MatchSpan& span : hit.spans) {
                spans.append(QStringLiteral("[%1,%2]").arg(span.start).arg(span.length));
            }
            objects.append(QStringLiteral("{\"id\":%1,\"sura\":%2,\"aya\":%3,\"source\":\"%4\","
                                          "\"spans\":[%5]}")
                               .arg(place.id)
                               .arg(place.sura)
                               .arg(place.aya)
                               .arg(research::sourceKey(hit.source), spans.join(u',')));
        }
        return u'[' + objects.join(u',') + QStringLiteral("]\n");
    }
    }
    return text;
}

} // namespace

int find(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err) {
    CommandStore data(err);
    store::RecordView view(data.store);
    view.setConnectionString(store::buildConnectionString(folder));
    const auto index = ResearchIndex::read(view);
    if (!index) {
        if (!data.failed) {
            fail(err, index.reason());
        }
        return 1;
    }
    const CommandLine::FindRequest& request = command.research();
    print(out, printed(**index, request, (*index)->find(request.research)));
    return 0;
}

} // namespace velmor::runs
