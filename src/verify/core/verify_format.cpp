#include "verify_format.h"

namespace velmor::verify {

QString placeText(const QuranWords& quran, const WordRun& place) {
    const QuranWords::Aya& first = quran.aya(quran.ayaOf(place.first));
    const QuranWords::Aya& last = quran.aya(quran.ayaOf(place.last - 1));
    QString text = QStringLiteral("%1:%2").arg(first.sura).arg(first.aya);
    if (last.id == first.id) {
        return text;
    }
    if (last.sura == first.sura) {
        return text + QStringLiteral("-%1").arg(last.aya);
    }
    return text + QStringLiteral("-%1:%2").arg(last.sura).arg(last.aya);
}

QString placesText(const QuranWords& quran, const std::vector<WordRun>& places) {
    QStringList texts;
    for (const WordRun& place : places) {
        texts.append(placeText(quran, place));
    }
    return texts.join(u',');
}

QString slipText(const Slip& slip) {
    switch (slip.kind) {
    case Slip::Other:
        return slip.written + u'>' + slip.correct;
    case Slip::Missing:
        return u'+' + slip.correct;
    case Slip::Added:
        return u'-' + slip.written;
    }
    return {};
}

QString quotationLine(const QuranWords& quran, const Quotation& quotation) {
    QString line = QStringLiteral("%1:%2\t").arg(quotation.start).arg(quotation.length) +
                   placesText(quran, quotation.places);
    if (quotation.exact()) {
        return line + QStringLiteral("\texact");
    }
    line += QStringLiteral("\tdiffers");
    for (const Slip& slip : quotation.slips) {
        line += u'\t' + slipText(slip);
    }
    return line;
}

std::vector<Slip> differences(const QuranWords& quran, std::size_t a, const SimilarAya& similar) {
    const std::size_t from = quran.aya(a).first;
    const std::size_t to = quran.aya(similar.aya).first;
    std::vector<Slip> slips;
    for (const AlignedStep& step : similar.steps) {
        const auto written = [&] { return quran.marked(from + static_cast<std::size_t>(step.a)); };
        const auto correct = [&] { return quran.marked(to + static_cast<std::size_t>(step.b)); };
        switch (step.kind) {
        case AlignedStep::Same:
            break;
        case AlignedStep::Other:
            slips.push_back({Slip::Other, written(), correct()});
            break;
        case AlignedStep::Missing:
            slips.push_back({Slip::Missing, {}, correct()});
            break;
        case AlignedStep::Added:
            slips.push_back({Slip::Added, written(), {}});
            break;
        }
    }
    return slips;
}

std::vector<std::size_t> ayasOf(const QuranWords& quran, const WordRun& place) {
    std::vector<std::size_t> ayas;
    for (std::size_t aya = quran.ayaOf(place.first); aya <= quran.ayaOf(place.last - 1); ++aya) {
        ayas.push_back(aya);
    }
    return ayas;
}

} // namespace velmor::verify
