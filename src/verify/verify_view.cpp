#include "verify_view.h"

#include "composition.h"
#include "result_set.h"
#include "verify_format.h"

#include <QStringList>

namespace velmor {

namespace {

QString marked(const QString& text, const QColor& colour) {
    return QStringLiteral("<span style=\"background-color:%1\">%2</span>")
        .arg(colour.name(), text.toHtmlEscaped());
}

QString dimmed(const QString& text, const QColor& colour) {
    return QStringLiteral("<span style=\"color:%1\">%2</span>")
        .arg(colour.name(), text.toHtmlEscaped());
}

QString ayaName(const verify::QuranWords& quran, std::size_t aya) {
    return resultLine(quran.aya(aya).sura, quran.aya(aya).aya);
}

} // namespace

QString quotationTitle(const verify::QuranWords& quran, const verify::Quotation& quotation) {
    const QString where = verify::placesText(quran, quotation.places);
    if (quotation.exact()) {
        return where + QStringLiteral(" · مطابق");
    }
    QStringList slips;
    for (const verify::Slip& slip : quotation.slips) {
        switch (slip.kind) {
        case verify::Slip::Other:
            slips.append(slip.written + QStringLiteral(" ← ") + slip.correct);
            break;
        case verify::Slip::Missing:
            slips.append(QStringLiteral("ينقصه ") + slip.correct);
            break;
        case verify::Slip::Added:
            slips.append(QStringLiteral("زاد ") + slip.written);
            break;
        }
    }
    return where + QStringLiteral(" · فيه اختلاف: ") + slips.join(QStringLiteral("، "));
}

QString quotationTip(const verify::QuranWords& quran, const verify::Quotation& quotation) {
    QStringList names;
    for (const verify::WordRun& place : quotation.places) {
        const auto ayas = verify::ayasOf(quran, place);
        QString name = ayaName(quran, ayas.front());
        if (ayas.size() > 1) {
            name += QStringLiteral(" إلى ") + ayaName(quran, ayas.back());
        }
        names.append(name);
    }
    return names.join(QStringLiteral("؛ ")) +
           (quotation.exact() ? QStringLiteral(" — مطابق") : QStringLiteral(" — فيه اختلاف"));
}

QString ayaHtml(const verify::QuranWords& quran, std::size_t aya, const std::vector<int>& marks,
                const VerifyColours& colours, std::size_t first, std::size_t last) {
    const QString& text = quran.ayaText(aya);
    const verify::QuranWords::Aya& place = quran.aya(aya);
    QString html;
    qsizetype at = 0;
    for (std::uint32_t k = 0; k < place.count; ++k) {
        const std::size_t word = place.first + k;
        html += text.mid(at, quran.wordStart(word) - at).toHtmlEscaped();
        const QString spelled = quran.marked(word);
        if (std::find(marks.begin(), marks.end(), static_cast<int>(k)) != marks.end()) {
            html += marked(spelled, colours.slip);
        } else if (k < first || k >= last) {
            html += dimmed(spelled, colours.outside);
        } else {
            html += spelled.toHtmlEscaped();
        }
        at = quran.wordStart(word) + quran.wordLength(word);
    }
    html += text.mid(at).toHtmlEscaped();
    return html + QStringLiteral(" (") + ayaName(quran, aya).toHtmlEscaped() + QStringLiteral(")");
}

QString quotationHtml(const verify::QuranWords& quran, const verify::Quotation& quotation,
                      QStringView input, const VerifyColours& colours) {
    const verify::WordRun& place = quotation.places.front();
    const std::vector<verify::InputWord> words =
        verify::inputWords(input.mid(quotation.utf16Start, quotation.utf16Length));
    // The words as written, slips marked, words missing shown in brackets.
    QStringList written;
    std::vector<int> differing; // in the run of the place
    for (const verify::AlignedStep& step : quotation.steps) {
        const auto wordOf = [&] {
            const verify::InputWord& w = words[static_cast<std::size_t>(step.a)];
            return input.mid(quotation.utf16Start + w.utf16Start, w.utf16Length).toString();
        };
        switch (step.kind) {
        case verify::AlignedStep::Same:
            written.append(wordOf().toHtmlEscaped());
            break;
        case verify::AlignedStep::Other:
        case verify::AlignedStep::Added:
            written.append(marked(wordOf(), colours.slip));
            break;
        case verify::AlignedStep::Missing:
            written.append(marked(QStringLiteral("[…]"), colours.slip));
            break;
        }
        if (step.kind == verify::AlignedStep::Other || step.kind == verify::AlignedStep::Missing) {
            differing.push_back(step.b);
        }
    }
    QString html =
        QStringLiteral("<div dir=\"rtl\"><p><b>ما كتبته:</b> ") + written.join(u' ') +
        QStringLiteral("</p><p><b>") +
        (quotation.exact() ? QStringLiteral("الآية كما كتبتها:") : QStringLiteral("نص الآية:")) +
        QStringLiteral("</b></p>");
    for (const std::size_t aya : verify::ayasOf(quran, place)) {
        const std::size_t first = quran.aya(aya).first;
        std::vector<int> marks;
        for (const int b : differing) {
            const std::size_t word = place.first + static_cast<std::size_t>(b);
            if (quran.ayaOf(word) == aya) {
                marks.push_back(static_cast<int>(word - first));
            }
        }
        const std::size_t from = place.first > first ? place.first - first : 0;
        const std::size_t to = place.last - first;
        html += QStringLiteral("<p>") + ayaHtml(quran, aya, marks, colours, from, to) +
                QStringLiteral("</p>");
    }
    if (quotation.places.size() > 1) {
        html += QStringLiteral("<p>وبالألفاظ نفسها في: ") +
                verify::placesText(quran, {quotation.places.begin() + 1, quotation.places.end()})
                    .toHtmlEscaped() +
                QStringLiteral("</p>");
    }
    return html + QStringLiteral("</div>");
}

QString correctText(const verify::QuranWords& quran, const verify::WordRun& place) {
    QString text;
    for (const std::size_t aya : verify::ayasOf(quran, place)) {
        text += chosenAyaUnit(quran.ayaText(aya), ayaName(quran, aya));
    }
    return text;
}

} // namespace velmor
