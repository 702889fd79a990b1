#include "print_dialog.h"

#include "aya_image.h"
#include "mushaf.h"
#include "record_view.h"
#include "reference.h"
#include "reference_lists.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>

namespace velmor {

namespace {

QSettings choices() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmor"),
                     QStringLiteral("print"));
}

QString referenceOf(const AyaPlace& place) {
    return QStringLiteral("%1:%2").arg(place.sura).arg(place.aya);
}

} // namespace

PrintDialog* PrintDialog::open(store::Store& store, const QString& connectionString, Start start,
                               QWidget* parent) {
    store::RecordView view(store);
    view.setConnectionString(connectionString);
    std::optional<Mushaf> mushaf = Mushaf::read(view);
    if (mushaf && start.current == 0) {
        start.current = mushaf->firstOfSura(start.sura).value_or(0);
    }
    if (!mushaf || !mushaf->contains(start.current)) {
        return nullptr;
    }
    auto* dialog =
        new PrintDialog(store, connectionString, std::move(*mushaf), std::move(start), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

PrintDialog::PrintDialog(store::Store& store, const QString& connectionString, Mushaf mushaf,
                         Start start, QWidget* parent)
    : QDialog(parent), store_(store), connectionString_(connectionString),
      mushaf_(std::move(mushaf)), start_(std::move(start)) {
    setObjectName(QStringLiteral("PrintDialog"));
    setWindowTitle(QStringLiteral("طباعة وحفظ PDF - Velmor"));
    setLayoutDirection(Qt::RightToLeft);
    const AyaPlace& here = mushaf_.place(start_.current);
    const QString suraName = store::compairlist().value(here.sura - 1);

    wholeSura = new QRadioButton(QStringLiteral("سورة %1 كاملة").arg(suraName), this);
    someAyas = new QRadioButton(QStringLiteral("من آية إلى آية:"), this);
    chosenAyas = new QRadioButton(
        QStringLiteral("الآيات المختارة (%1)").arg(arabicIndicNumber(qint64(start_.chosen.size()))),
        this);
    chosenAyas->setEnabled(!start_.chosen.empty());
    (start_.chosen.empty() ? wholeSura : chosenAyas)->setChecked(true);
    fromBox = new QLineEdit(referenceOf(here), this);
    fromBox->setAccessibleName(QStringLiteral("من الآية"));
    toBox = new QLineEdit(referenceOf(here), this);
    toBox->setAccessibleName(QStringLiteral("إلى الآية"));
    for (QLineEdit* box : {fromBox, toBox}) {
        connect(box, &QLineEdit::textEdited, someAyas, [this] { someAyas->setChecked(true); });
    }

    buildPickers();

    auto* range = new QHBoxLayout;
    range->addWidget(someAyas);
    range->addWidget(fromBox);
    range->addWidget(new QLabel(QStringLiteral("إلى"), this));
    range->addWidget(toBox);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("التفسير:"), tafsirPicker);
    form->addRow(QStringLiteral("الرسم:"), scriptPicker);
    form->addRow(QStringLiteral("الورق:"), pagePicker);
    form->addRow(QStringLiteral("الهوامش:"), marginBox);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wholeSura);
    layout->addLayout(range);
    layout->addWidget(chosenAyas);
    layout->addLayout(form);
    layout->addLayout(buildButtons());
}

void PrintDialog::buildPickers() {
    const QSettings kept = choices();
    tafsirPicker = new QComboBox(this);
    tafsirPicker->setAccessibleName(QStringLiteral("التفسير تحت كل آية"));
    tafsirPicker->addItem(QStringLiteral("بلا تفسير"), QString());
    for (const TafsirSource source : {TafsirSource::Muyassar, TafsirSource::Jalalayn}) {
        tafsirPicker->addItem(tafsirTitle(source), tafsirKey(source));
    }
    tafsirPicker->setCurrentIndex(
        std::max(0, tafsirPicker->findData(kept.value(QStringLiteral("tafsir")).toString())));
    scriptPicker = new QComboBox(this);
    scriptPicker->setAccessibleName(QStringLiteral("رسم النص"));
    for (const Script script : {Script::Simple, Script::Uthmani}) {
        scriptPicker->addItem(scriptTitle(script), scriptKey(script));
    }
    scriptPicker->setCurrentIndex(scriptPicker->findData(scriptKey(start_.script)));
    pagePicker = new QComboBox(this);
    pagePicker->setAccessibleName(QStringLiteral("حجم الورق"));
    pagePicker->addItem(QStringLiteral("A4"), QStringLiteral("a4"));
    pagePicker->addItem(QStringLiteral("Letter"), QStringLiteral("letter"));
    pagePicker->setCurrentIndex(
        std::max(0, pagePicker->findData(kept.value(QStringLiteral("page")).toString())));
    marginBox = new QDoubleSpinBox(this);
    marginBox->setAccessibleName(QStringLiteral("الهوامش بالمليمتر"));
    marginBox->setRange(5, 40);
    marginBox->setSuffix(QStringLiteral(" مم"));
    marginBox->setValue(kept.value(QStringLiteral("margin"), 18.0).toDouble());
}

QLayout* PrintDialog::buildButtons() {
    printButton = new QPushButton(QStringLiteral("طباعة…"), this);
    pdfButton = new QPushButton(QStringLiteral("حفظ PDF…"), this);
    auto* close = new QPushButton(QStringLiteral("إغلاق"), this);
    connect(printButton, &QPushButton::clicked, this, &PrintDialog::printPages);
    connect(pdfButton, &QPushButton::clicked, this, [this] {
        const QString path = choosePdfFile ? choosePdfFile() : QString();
        if (!path.isEmpty()) {
            savePdf(path);
        }
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    choosePdfFile = [this] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileDialog::getSaveFileName(this, QStringLiteral("حفظ PDF"), folder,
                                            QStringLiteral("PDF (*.pdf)"));
    };
    outcomeLine = new QLabel(this);
    outcomeLine->setAccessibleName(QStringLiteral("نتيجة الطباعة"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(outcomeLine, 1);
    buttons->addWidget(printButton);
    buttons->addWidget(pdfButton);
    buttons->addWidget(close);

    return buttons;
}

Outcome<print::PrintRequest> PrintDialog::request() const {
    print::PrintRequest request;
    request.script = scriptNamed(scriptPicker->currentData().toString()).value_or(Script::Simple);
    request.tafsir = tafsirNamed(tafsirPicker->currentData().toString());
    if (chosenAyas->isChecked()) {
        request.ids = start_.chosen;
    } else if (someAyas->isChecked()) {
        qint64 ends[2] = {0, 0};
        QLineEdit* boxes[2] = {fromBox, toBox};
        for (int k = 0; k < 2; ++k) {
            const ParsedReference parsed = parseReference(boxes[k]->text());
            const auto id = parsed.ref ? mushaf_.idOf(*parsed.ref) : std::nullopt;
            if (!id) {
                return Outcome<print::PrintRequest>::failed(
                    parsed.ref ? QStringLiteral("لا توجد هذه الآية في قاعدة البيانات")
                               : parsed.error);
            }
            ends[k] = *id;
        }
        if (ends[1] < ends[0]) {
            return Outcome<print::PrintRequest>::failed(QStringLiteral("آخر المدى قبل أوله"));
        }
        request.ids = print::idsBetween(ends[0], ends[1]);
    } else {
        const auto [first, last] = mushaf_.suraRange(mushaf_.place(start_.current).sura);
        request.ids = print::idsBetween(first, last);
    }
    return request;
}

print::PageSetup PrintDialog::pageSetup() const {
    print::PageSetup setup;
    bool known = false;
    setup.size = print::pageSizeNamed(pagePicker->currentData().toString(), &known);
    const double margin = marginBox->value();
    setup.marginsMm = QMarginsF(margin, margin * 0.9, margin, margin * 0.9);
    return setup;
}

Outcome<std::vector<print::PrintedAya>> PrintDialog::ayas() const {
    const Outcome<print::PrintRequest> asked = request();
    if (!asked) {
        return Outcome<std::vector<print::PrintedAya>>::failed(asked.reason());
    }
    store::RecordView view(store_);
    view.setConnectionString(connectionString_);
    return print::readPrintedAyas(view, *asked);
}

void PrintDialog::keepChoices() const {
    QSettings kept = choices();
    kept.setValue(QStringLiteral("tafsir"), tafsirPicker->currentData());
    kept.setValue(QStringLiteral("page"), pagePicker->currentData());
    kept.setValue(QStringLiteral("margin"), marginBox->value());
}

bool PrintDialog::savePdf(const QString& path) {
    keepChoices();
    const auto read = ayas();
    if (!read) {
        outcomeLine->setText(read.reason());
        return false;
    }
    const Script script = request()->script;
    const Outcome<int> pages =
        print::writePdf(*read, script, pageSetup(), path, print::imageReference(*read));
    outcomeLine->setText(pages ? QStringLiteral("حُفظ الملف: %1 صفحة").arg(arabicIndicNumber(*pages))
                               : QStringLiteral("تعذر حفظ الملف ") + path);
    return pages.ok();
}

void PrintDialog::printPages() {
    keepChoices();
    const auto read = ayas();
    if (!read) {
        outcomeLine->setText(read.reason());
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    const print::PageSetup setup = pageSetup();
    printer.setPageSize(QPageSize(setup.size));
    printer.setPageMargins(setup.marginsMm, QPageLayout::Millimeter);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const Outcome<int> pages = print::paintPages(*read, request()->script, setup, printer);
    outcomeLine->setText(
        pages ? QStringLiteral("أُرسلت %1 صفحة إلى الطابعة").arg(arabicIndicNumber(*pages))
              : QStringLiteral("تعذرت الطباعة"));
}

} // namespace velmor
