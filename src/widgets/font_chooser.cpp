#include "font_chooser.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmor {

namespace {

// What the preview shows: the opening of al-Fatiha, marks and all.
const QString kSample =
    QStringLiteral("\u0628\u0650\u0633\u0645\u0650 \u0627\u0644\u0644\u0651\u064e\u0647\u0650 "
                   "\u0627\u0644\u0631\u0651\u064e\u062d\u0645\u0640\u0670\u0646\u0650 "
                   "\u0627\u0644\u0631\u0651\u064e\u062d\u064a\u0645\u0650");

} // namespace

FontChooser::FontChooser(const QFont& current, QWidget* parent)
    : QDialog(parent), current_(current) {
    setObjectName(QStringLiteral("CommonDialog1"));
    setWindowTitle(QStringLiteral("خط عرض الآيات"));
    setLayoutDirection(Qt::RightToLeft);

    family = new QFontComboBox(this);
    family->setObjectName(QStringLiteral("family"));
    family->setWritingSystem(QFontDatabase::Arabic);
    family->setCurrentFont(current);
    // A name the list does not hold (a face not installed) is kept as it is.
    family->setEditText(current.family());
    size = new QDoubleSpinBox(this);
    size->setObjectName(QStringLiteral("size"));
    size->setRange(1, 200);
    size->setDecimals(2);
    size->setSingleStep(0.5);
    size->setValue(current.pointSizeF());
    bold = new QCheckBox(QStringLiteral("عريض"), this);
    bold->setChecked(current.bold());
    italic = new QCheckBox(QStringLiteral("مائل"), this);
    italic->setChecked(current.italic());
    preview = new QLabel(kSample, this);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setAlignment(Qt::AlignCenter);
    preview->setMinimumSize(360, 90);
    preview->setFrameShape(QFrame::StyledPanel);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("الخط :"), family);
    form->addRow(QStringLiteral("الحجم :"), size);
    auto* styles = new QHBoxLayout;
    styles->addWidget(bold);
    styles->addWidget(italic);
    styles->addStretch();
    form->addRow(QString(), styles);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("موافق"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("إلغاء"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(preview);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(family, &QComboBox::currentTextChanged, this, &FontChooser::showPreview);
    connect(size, &QDoubleSpinBox::valueChanged, this, &FontChooser::showPreview);
    connect(bold, &QCheckBox::toggled, this, &FontChooser::showPreview);
    connect(italic, &QCheckBox::toggled, this, &FontChooser::showPreview);
    showPreview();
}

QFont FontChooser::chosenFont() const {
    QFont font = current_;
    font.setFamily(family->currentText());
    font.setPointSizeF(size->value());
    font.setBold(bold->isChecked());
    font.setItalic(italic->isChecked());
    return font;
}

void FontChooser::showPreview() {
    preview->setFont(chosenFont());
}

} // namespace velmor
