#include "research_export.h"

#include "composition.h"
#include "reference_lists.h"
#include "result_set.h"

#include <algorithm>

namespace velmor::research {

namespace {

constexpr std::size_t kWordsAround = 6;

// The words of the hit's aya around its first match: [first, last).
std::pair<std::size_t, std::size_t> around(const ResearchIndex& index, const Hit& hit) {
    const SourceWords& words = index.words(hit.source);
    const std::size_t from = words.firstOfAya[hit.aya];
    const std::size_t to = words.firstOfAya[hit.aya + 1];
    std::size_t first = from;
    std::size_t last = from;
    if (!hit.spans.isEmpty()) {
        const MatchSpan& span = hit.spans.front();
        while (first < to && words.spans[first].start < span.start) {
            ++first;
        }
        last = first;
        while (last < to && words.spans[last].start < span.start + span.length) {
            ++last;
        }
    }
    return {first - std::min(first - from, kWordsAround), std::min(to, last + kWordsAround)};
}

QString csvField(const QString& field) {
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') &&
        !field.contains(u'\r')) {
        return field;
    }
    QString quoted = field;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QString hitReference(const ResearchIndex& index, const Hit& hit) {
    const ResearchAya& place = index.ayas()[hit.aya];
    return resultLine(place.sura, place.aya);
}

QString contextHtml(const ResearchIndex& index, const Hit& hit, const QString& markColour) {
    const std::u32string text = index.text(hit.source, hit.aya).toStdU32String();
    const SourceWords& words = index.words(hit.source);
    const auto [first, last] = around(index, hit);
    if (first >= last) {
        return {};
    }
    const auto from = static_cast<qsizetype>(words.spans[first].start);
    const auto to =
        static_cast<qsizetype>(words.spans[last - 1].start + words.spans[last - 1].length);
    QString html = first > words.firstOfAya[hit.aya] ? QStringLiteral("… ") : QString();
    qsizetype at = from;
    const auto piece = [&](qsizetype a, qsizetype b) {
        return QString::fromStdU32String(
                   text.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a)))
            .toHtmlEscaped();
    };
    for (const MatchSpan& span : hit.spans) {
        if (span.start + span.length <= from || span.start >= to) {
            continue;
        }
        const qsizetype start = std::max(span.start, at);
        html += piece(at, start);
        const qsizetype end = std::min(span.start + span.length, to);
        html += QStringLiteral("<span style=\"background-color:%1\">").arg(markColour) +
                piece(start, end) + QStringLiteral("</span>");
        at = end;
    }
    html += piece(at, to);
    if (last < words.firstOfAya[hit.aya + 1]) {
        html += QStringLiteral(" …");
    }
    return html;
}

QString contextText(const ResearchIndex& index, const Hit& hit) {
    const std::u32string text = index.text(hit.source, hit.aya).toStdU32String();
    const SourceWords& words = index.words(hit.source);
    const auto [first, last] = around(index, hit);
    if (first >= last) {
        return {};
    }
    const std::size_t from = static_cast<std::size_t>(words.spans[first].start);
    const std::size_t to =
        static_cast<std::size_t>(words.spans[last - 1].start + words.spans[last - 1].length);
    return QString::fromStdU32String(text.substr(from, to - from));
}

QString matchedText(const ResearchIndex& index, const Hit& hit) {
    const std::u32string text = index.text(hit.source, hit.aya).toStdU32String();
    QStringList pieces;
    for (const MatchSpan& span : hit.spans) {
        pieces.append(QString::fromStdU32String(text.substr(
            static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.length))));
    }
    return pieces.join(QStringLiteral(" … "));
}

QByteArray csvOf(const ResearchIndex& index, const std::vector<Hit>& hits) {
    QString csv = QStringLiteral("المرجع,السورة,الآية,المصدر,النص المطابق\r\n");
    for (const Hit& hit : hits) {
        const ResearchAya& place = index.ayas()[hit.aya];
        const QStringList fields{QStringLiteral("%1:%2").arg(place.sura).arg(place.aya),
                                 store::compairlist().value(place.sura - 1).trimmed(),
                                 QString::number(place.aya), sourceTitle(hit.source),
                                 matchedText(index, hit)};
        QStringList quoted;
        for (const QString& field : fields) {
            quoted.append(csvField(field));
        }
        csv += quoted.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}

QString composedOf(const ResearchIndex& index, const std::vector<Hit>& hits) {
    std::vector<std::size_t> ayas;
    ayas.reserve(hits.size());
    for (const Hit& hit : hits) {
        ayas.push_back(hit.aya);
    }
    std::sort(ayas.begin(), ayas.end());
    ayas.erase(std::unique(ayas.begin(), ayas.end()), ayas.end());
    QString text;
    for (const std::size_t aya : ayas) {
        text += chosenAyaUnit(index.text(Source::Quran, aya),
                              hitReference(index, Hit{aya, Source::Quran, {}}));
    }
    return text;
}

} // namespace velmor::research
