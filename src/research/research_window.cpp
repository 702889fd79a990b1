#include "research_window.h"

#include "message_box.h"
#include "reference_lists.h"
#include "research_export.h"
#include "whole_file.h"
#include "window_parts.h"
#include "window_placement.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QVBoxLayout>

namespace velmor {

namespace {

const QString kMark = QStringLiteral("#ffe082");

QSettings settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmor"),
                     QStringLiteral("research"));
}

// Draws each line's HTML, right to left, the matched words marked.
class HitDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        item.text.clear();
        item.widget->style()->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        QTextDocument document;
        document.setDefaultFont(option.font);
        QTextOption text = document.defaultTextOption();
        text.setTextDirection(Qt::RightToLeft);
        text.setAlignment(Qt::AlignRight);
        text.setWrapMode(QTextOption::NoWrap);
        document.setDefaultTextOption(text);
        document.setHtml(index.data(HitModel::kHtmlRole).toString());
        // Anchored at the right, where the line begins; what runs past the
        // left edge is the far context, and is cut.
        const QSizeF size = document.size();
        painter->save();
        painter->translate(option.rect.right() - size.width(),
                           option.rect.top() + (option.rect.height() - size.height()) / 2);
        painter->setClipRect(QRectF(size.width() - option.rect.width(), 0, option.rect.width(),
                                    option.rect.height()));
        document.drawContents(painter);
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {1, option.fontMetrics.height() * 8 / 5};
    }
};

} // namespace

void HitModel::reset(std::shared_ptr<const research::ResearchIndex> index,
                     std::vector<research::Hit> hits) {
    beginResetModel();
    index_ = std::move(index);
    hits_ = std::move(hits);
    endResetModel();
}

int HitModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(hits_.size());
}

QVariant HitModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || !index_) {
        return {};
    }
    const research::Hit& hit = hits_[static_cast<std::size_t>(index.row())];
    const QString head = research::hitReference(*index_, hit) + QStringLiteral(" · ") +
                         research::sourceTitle(hit.source);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return head + QStringLiteral(": ") + research::contextText(*index_, hit);
    }
    if (role == kHtmlRole) {
        return QStringLiteral("<b>") + head.toHtmlEscaped() + QStringLiteral("</b>: ") +
               research::contextHtml(*index_, hit, kMark);
    }
    return {};
}

ResearchWindow::ResearchWindow(IndexSource index, library::Library* library, QWidget* parent)
    : QWidget(parent), indexSource_(std::move(index)), library_(library) {
    prepareWindow(*this, "researchWindow", QStringLiteral("البحث المتقدم"));
    resize(820, 640);
    centreOnScreen(*this);
    queryBox = new QComboBox(this);
    queryBox->setObjectName(QStringLiteral("researchQuery"));
    queryBox->setEditable(true);
    queryBox->setInsertPolicy(QComboBox::NoInsert);
    queryBox->setAccessibleName(QStringLiteral("نص البحث المتقدم"));
    queryBox->lineEdit()->setAccessibleName(queryBox->accessibleName());
    queryBox->lineEdit()->setAccessibleName(QStringLiteral("نص البحث المتقدم"));
    queryBox->lineEdit()->setPlaceholderText(
        QStringLiteral("كلمات تجمعها الآية، \"عبارة\"، أ|ب لأيهما، -كلمة للاستثناء"));
    chart = new ResearchChart(this);
    totalLine = new QLabel(this);
    totalLine->setObjectName(QStringLiteral("researchTotal"));
    messageLine = new QLabel(this);
    messageLine->setObjectName(QStringLiteral("researchMessage"));
    messageLine->setWordWrap(true);
    list = new QListView(this);
    list->setObjectName(QStringLiteral("researchHits"));
    list->setAccessibleName(QStringLiteral("نتائج البحث المتقدم"));
    list->setModel(&model_);
    list->setItemDelegate(new HitDelegate(list));
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setLayoutDirection(Qt::RightToLeft);
    exportButton = new QPushButton(QStringLiteral("تصدير CSV…"), this);
    exportButton->setObjectName(QStringLiteral("researchExport"));
    copyButton = new QPushButton(QStringLiteral("نسخ المختار"), this);
    copyButton->setObjectName(QStringLiteral("researchCopy"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(queryBox);
    layout->addLayout(buildChoices());
    auto* counts = new QHBoxLayout;
    counts->addWidget(totalLine, 1);
    counts->addWidget(countPicker);
    layout->addLayout(counts);
    layout->addWidget(chart);
    layout->addWidget(list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(messageLine, 1);
    buttons->addWidget(exportButton);
    buttons->addWidget(copyButton);
    layout->addLayout(buttons);
    chooseExportFile = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("تصدير النتائج"),
                                            QStringLiteral("نتائج.csv"),
                                            QStringLiteral("CSV (*.csv)"));
    };
    restoreChoices();
    connectControls();
}

ResearchWindow::~ResearchWindow() {
    keepChoices();
}

QLayout* ResearchWindow::buildChoices() {
    auto* row = new QHBoxLayout;
    const std::array<QString, 3> titles{research::sourceTitle(research::Source::Quran),
                                        research::sourceTitle(research::Source::Muyassar),
                                        research::sourceTitle(research::Source::Jalalayn)};
    for (std::size_t k = 0; k < sourceBoxes.size(); ++k) {
        sourceBoxes[k] = new QCheckBox(titles[k], this);
        sourceBoxes[k]->setObjectName(QStringLiteral("researchSource%1").arg(k));
        row->addWidget(sourceBoxes[k]);
    }
    partialBox = new QCheckBox(QStringLiteral("جزء من كلمة"), this);
    partialBox->setObjectName(QStringLiteral("researchPartial"));
    row->addWidget(partialBox);
    scopePicker = new QComboBox(this);
    scopePicker->setObjectName(QStringLiteral("researchScope"));
    scopePicker->setAccessibleName(QStringLiteral("نطاق البحث"));
    scopePicker->addItems({QStringLiteral("المصحف كله"), QStringLiteral("جزء"),
                           QStringLiteral("من جزء إلى جزء"), QStringLiteral("سورة"),
                           QStringLiteral("من سورة إلى سورة")});
    fromBox = new QSpinBox(this);
    fromBox->setAccessibleName(QStringLiteral("من"));
    toBox = new QSpinBox(this);
    toBox->setAccessibleName(QStringLiteral("إلى"));
    for (QSpinBox* box : {fromBox, toBox}) {
        box->setRange(1, store::kSuraCount);
    }
    row->addStretch();
    row->addWidget(scopePicker);
    row->addWidget(fromBox);
    row->addWidget(toBox);
    countPicker = new QComboBox(this);
    countPicker->setObjectName(QStringLiteral("researchCountBy"));
    countPicker->setAccessibleName(QStringLiteral("عدّ النتائج"));
    countPicker->addItems({QStringLiteral("في كل سورة"), QStringLiteral("في كل جزء")});
    return row;
}

void ResearchWindow::connectControls() {
    connect(queryBox, &QComboBox::editTextChanged, this, &ResearchWindow::research);
    connect(queryBox->lineEdit(), &QLineEdit::returnPressed, this, &ResearchWindow::keepQuery);
    for (QCheckBox* box : sourceBoxes) {
        connect(box, &QCheckBox::toggled, this, &ResearchWindow::research);
    }
    connect(partialBox, &QCheckBox::toggled, this, &ResearchWindow::research);
    connect(scopePicker, &QComboBox::currentIndexChanged, this, [this](int scope) {
        const bool juz = scope == 1 || scope == 2;
        fromBox->setEnabled(scope != 0);
        toBox->setEnabled(scope == 2 || scope == 4);
        for (QSpinBox* box : {fromBox, toBox}) {
            box->setRange(1, juz ? store::kJuzCount : store::kSuraCount);
        }
        research();
    });
    for (QSpinBox* box : {fromBox, toBox}) {
        connect(box, &QSpinBox::valueChanged, this, &ResearchWindow::research);
    }
    connect(countPicker, &QComboBox::currentIndexChanged, this, [this] {
        chart->choose(chart->chosen()); // a second choice of the same bar clears it
        showChart();
        showHits();
    });
    connect(chart, &ResearchChart::chosenChanged, this, &ResearchWindow::showHits);
    connect(
        list->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) {
            if (current.isValid() && index_) {
                keepQuery();
                emit ayaChosen(
                    index_->ayas()[model_.hits()[static_cast<std::size_t>(current.row())].aya].id);
            }
        });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        const QString path = chooseExportFile();
        if (path.isEmpty()) {
            return;
        }
        const Done written = exportTo(path);
        messageLine->setText(
            written ? QStringLiteral("صُدّرت %1 نتيجة إلى «%2».").arg(model_.hits().size()).arg(path)
                    : written.reason());
    });
    connect(copyButton, &QPushButton::clicked, this, &ResearchWindow::copyChosen);
}

research::Research ResearchWindow::asked(bool& ok) {
    research::Research asked;
    const Outcome<research::Query> query = research::parseQuery(queryBox->currentText());
    ok = query.ok();
    if (!ok) {
        messageLine->setText(queryBox->currentText().trimmed().isEmpty() ? QString()
                                                                         : query.reason());
        return asked;
    }
    asked.query = *query;
    asked.sources.clear();
    for (std::size_t k = 0; k < sourceBoxes.size(); ++k) {
        if (sourceBoxes[k]->isChecked()) {
            asked.sources.push_back(research::kSources[k]);
        }
    }
    if (asked.sources.empty()) {
        ok = false;
        messageLine->setText(QStringLiteral("اختر مصدرا واحدا على الأقل."));
        return asked;
    }
    asked.partial = partialBox->isChecked();
    SearchOptions& scope = asked.scope;
    scope.scope = scopePicker->currentIndex();
    const int from = fromBox->value() - 1;
    const int to = toBox->value() - 1;
    scope.part = scope.part1 = scope.sora = scope.sora1 = from;
    scope.part2 = scope.sora2 = to;
    messageLine->clear();
    return asked;
}

void ResearchWindow::research() {
    if (!index_) {
        index_ = indexSource_();
        if (!index_) {
            messageLine->setText(QStringLiteral("تعذرت قراءة النص والتفسيرين من قاعدة البيانات."));
            return;
        }
    }
    bool ok = false;
    const research::Research research = asked(ok);
    hits_ = ok ? index_->find(research) : std::vector<research::Hit>{};
    showChart();
    showHits();
}

void ResearchWindow::showChart() {
    const bool byJuz = countPicker->currentIndex() == 1;
    std::vector<int> counts(byJuz ? store::kJuzCount : store::kSuraCount, 0);
    QStringList names;
    for (int k = 1; k <= static_cast<int>(counts.size()); ++k) {
        names.append(byJuz ? QStringLiteral("الجزء %1").arg(k)
                           : QStringLiteral("سورة ") + store::compairlist().value(k - 1).trimmed());
    }
    std::size_t last = SIZE_MAX;
    int ayas = 0;
    for (const research::Hit& hit : hits_) {
        if (hit.aya == last) {
            continue; // an aya counts once, whatever its sources
        }
        last = hit.aya;
        ++ayas;
        const research::ResearchAya& place = index_->ayas()[hit.aya];
        ++counts[static_cast<std::size_t>((byJuz ? place.juz : place.sura) - 1)];
    }
    const auto parts = std::count_if(counts.begin(), counts.end(), [](int c) { return c > 0; });
    totalLine->setText(QStringLiteral("الآيات: %1 · النتائج: %2 · %3: %4")
                           .arg(ayas)
                           .arg(hits_.size())
                           .arg(byJuz ? QStringLiteral("الأجزاء") : QStringLiteral("السور"))
                           .arg(parts));
    chart->setCounts(std::move(counts), names);
}

void ResearchWindow::showHits() {
    std::vector<research::Hit> shown;
    const int bar = chart->chosen();
    const bool byJuz = countPicker->currentIndex() == 1;
    for (const research::Hit& hit : hits_) {
        const research::ResearchAya& place = index_->ayas()[hit.aya];
        if (bar == 0 || (byJuz ? place.juz : place.sura) == bar) {
            shown.push_back(hit);
        }
    }
    model_.reset(index_, std::move(shown));
}

Done ResearchWindow::exportTo(const QString& path) {
    if (!index_) {
        return Done::failed(QStringLiteral("لا نتائج للتصدير."));
    }
    const Done written =
        replaceFile(path, research::csvOf(*index_, model_.hits()), Folder::MustExist);
    if (!written) {
        return Done::failed(QStringLiteral("تعذرت كتابة «%1»: %2").arg(path, written.reason()));
    }
    return done();
}

void ResearchWindow::copyChosen() {
    std::vector<research::Hit> chosen;
    for (const QModelIndex& row : list->selectionModel()->selectedRows()) {
        chosen.push_back(model_.hits()[static_cast<std::size_t>(row.row())]);
    }
    if (chosen.empty() || !index_) {
        messageLine->setText(QStringLiteral("اختر من النتائج ما تريد نسخه."));
        return;
    }
    copyToClipboard(research::composedOf(*index_, chosen));
    messageLine->setText(QStringLiteral("نُسخت الآيات المختارة."));
}

void ResearchWindow::keepQuery() {
    const QString query = queryBox->currentText().trimmed();
    if (query.isEmpty() || !research::parseQuery(query)) {
        return;
    }
    QStringList recent;
    if (library_ != nullptr && !library_->readOnly()) {
        if (const Done kept = library_->keepResearch(query); !kept) {
            messageLine->setText(kept.reason());
        }
        recent = library_->researches().value_or({});
    } else {
        for (int k = 0; k < queryBox->count(); ++k) {
            recent.append(queryBox->itemText(k));
        }
        recent.removeAll(query);
        recent.prepend(query);
    }
    const QSignalBlocker quiet(queryBox);
    const QString typed = queryBox->currentText();
    queryBox->clear();
    queryBox->addItems(recent.mid(0, library::Library::kMaxResearches));
    queryBox->setEditText(typed);
}

void ResearchWindow::restoreChoices() {
    QSettings kept = settings();
    for (std::size_t k = 0; k < sourceBoxes.size(); ++k) {
        sourceBoxes[k]->setChecked(kept.value(QStringLiteral("source%1").arg(k), k == 0).toBool());
    }
    partialBox->setChecked(kept.value(QStringLiteral("partial"), false).toBool());
    scopePicker->setCurrentIndex(std::clamp(kept.value(QStringLiteral("scope"), 0).toInt(), 0, 4));
    fromBox->setValue(kept.value(QStringLiteral("from"), 1).toInt());
    toBox->setValue(kept.value(QStringLiteral("to"), 1).toInt());
    fromBox->setEnabled(scopePicker->currentIndex() != 0);
    toBox->setEnabled(scopePicker->currentIndex() == 2 || scopePicker->currentIndex() == 4);
    countPicker->setCurrentIndex(
        std::clamp(kept.value(QStringLiteral("countBy"), 0).toInt(), 0, 1));
    if (const QByteArray geometry = kept.value(QStringLiteral("geometry")).toByteArray();
        !geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
    if (library_ != nullptr) {
        queryBox->addItems(library_->researches().value_or({}));
    }
    queryBox->setEditText({});
}

void ResearchWindow::keepChoices() const {
    QSettings kept = settings();
    for (std::size_t k = 0; k < sourceBoxes.size(); ++k) {
        kept.setValue(QStringLiteral("source%1").arg(k), sourceBoxes[k]->isChecked());
    }
    kept.setValue(QStringLiteral("partial"), partialBox->isChecked());
    kept.setValue(QStringLiteral("scope"), scopePicker->currentIndex());
    kept.setValue(QStringLiteral("from"), fromBox->value());
    kept.setValue(QStringLiteral("to"), toBox->value());
    kept.setValue(QStringLiteral("countBy"), countPicker->currentIndex());
    kept.setValue(QStringLiteral("geometry"), saveGeometry());
}

} // namespace velmor
