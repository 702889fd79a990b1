#include "similar_panel.h"

#include "fonts.h"
#include "result_set.h"

#include <QLabel>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace velmor {

namespace {

const QString kScheme = QStringLiteral("aya");

// The words of one side of the alignment that differ from the other's.
std::vector<int> differing(const verify::SimilarAya& similar, bool given) {
    std::vector<int> words;
    for (const verify::AlignedStep& step : similar.steps) {
        if (step.kind == verify::AlignedStep::Same) {
            continue;
        }
        const int word = given ? step.a : step.b;
        if (word >= 0) {
            words.push_back(word);
        }
    }
    return words;
}

} // namespace

QString similarTabTitle(int count) {
    return count > 0 ? QStringLiteral("المتشابهات (%1)").arg(count) : QStringLiteral("المتشابهات");
}

SimilarPanel::SimilarPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("similarPanel"));
    setAccessibleName(QStringLiteral("المتشابهات"));
    heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("similarHeading"));
    heading->setWordWrap(true);
    list = new QTextBrowser(this);
    list->setObjectName(QStringLiteral("similarList"));
    list->setAccessibleName(QStringLiteral("الآيات المتشابهة"));
    list->setOpenLinks(false);
    QFont font = designedDisplayFont();
    font.setPointSizeF(13);
    list->setFont(font);
    QTextOption option = list->document()->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight);
    list->document()->setDefaultTextOption(option);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(heading);
    layout->addWidget(list, 1);
    connect(list, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == kScheme) {
            bool ok = false;
            const qint64 id = url.path().toLongLong(&ok);
            if (ok) {
                emit ayaChosen(id);
            }
        }
    });
}

void SimilarPanel::showFor(const verify::SimilarAyas* similar, qint64 id) {
    listed_.clear();
    count_ = 0;
    if (similar == nullptr || id < 1 || id > static_cast<qint64>(similar->quran().ayas().size())) {
        heading->setText(QStringLiteral("تعذرت قراءة نص المصحف."));
        list->clear();
        return;
    }
    const verify::QuranWords& quran = similar->quran();
    const std::size_t given = quran.indexOfId(id);
    const std::vector<verify::SimilarAya> found = similar->of(given);
    count_ = static_cast<int>(found.size());
    const QString name = resultLine(quran.aya(given).sura, quran.aya(given).aya);
    if (found.empty()) {
        heading->setText(QStringLiteral("لا آية تشبه %1 في ألفاظها.").arg(name));
        list->clear();
        return;
    }
    heading->setText(
        QStringLiteral("عدد الآيات التي تشبه الآية الحالية (%1): %2").arg(name).arg(found.size()));
    QString html = QStringLiteral("<div dir=\"rtl\">");
    for (const verify::SimilarAya& aya : found) {
        const verify::QuranWords::Aya& place = quran.aya(aya.aya);
        listed_.append(place.id);
        html += QStringLiteral("<p><a href=\"%1:%2\">%3</a> · %4</p>")
                    .arg(kScheme)
                    .arg(place.id)
                    .arg(resultLine(place.sura, place.aya).toHtmlEscaped(),
                         aya.identical ? QStringLiteral("مطابقة")
                                       : QStringLiteral("تتفق في %1٪ من ألفاظها")
                                             .arg(qRound(aya.similarity * 100)));
        if (!aya.identical) {
            html += QStringLiteral("<p>") +
                    ayaHtml(quran, aya.aya, differing(aya, false), colours_) +
                    QStringLiteral("</p><p style=\"color:%1\">").arg(colours_.outside.name()) +
                    QStringLiteral("وفي الآية الحالية: ") +
                    ayaHtml(quran, given, differing(aya, true), colours_) + QStringLiteral("</p>");
        }
    }
    list->setHtml(html + QStringLiteral("</div>"));
}

} // namespace velmor
