#include "form2.h"

#include "addresses.h"
#include "form3.h"
#include "message_box.h"
#include "version.h"
#include "window_parts.h"
#include "window_placement.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace velmor {

namespace {

QLabel* textLabel(QWidget* parent, const char* name, QRect geometry, const QString& text) {
    auto* label = place<QLabel>(parent, name, geometry);
    label->setText(text);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setAccessibleName(text);
    return label;
}

// Read-only, single line, centred: selectable and copyable, not editable.
QLineEdit* addressBox(QWidget* parent, const char* name, QRect geometry, const QString& text,
                      const QString& accessibleName) {
    auto* box = place<QLineEdit>(parent, name, geometry);
    box->setText(text);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setLayoutDirection(Qt::LeftToRight); // an address reads left to right
    box->setAccessibleName(accessibleName);
    return box;
}

} // namespace

Form2::Form2() {
    prepareFixedWindow(*this, "Form2", QStringLiteral("عن برنامج Velmor"), QSize(420, 330));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(147, 10, 125, 125);
    Image1->setPixmap(QIcon(QStringLiteral(":/artwork/about.svg")).pixmap(QSize(125, 125)));

    Label1 = textLabel(this, "Label1", QRect(10, 140, 400, 24),
                       QStringLiteral("برنامج Velmor - في القرآن الكريم"));
    QFont title = Label1->font();
    title.setPointSizeF(11);
    title.setBold(true);
    Label1->setFont(title);
    Label5 = textLabel(this, "Label5", QRect(10, 164, 400, 18),
                       QStringLiteral("الإصدار ") + QLatin1String(kVersion));
    Label2 = textLabel(this, "Label2", QRect(10, 184, 400, 18),
                       QStringLiteral("برمجة وتصميم: فريق Velmor"));
    Label4 = textLabel(this, "Label4", QRect(10, 206, 400, 18),
                       QStringLiteral("تفضلوا لدخول موقع البرنامج"));
    Text2 = addressBox(this, "Text2", QRect(85, 226, 250, 22), webAddress(), Label4->text());
    Label3 = textLabel(this, "Label3", QRect(10, 250, 400, 18),
                       QStringLiteral(" للاستعلام و التواصل و إرسال المقترحات"));
    Text3 = addressBox(this, "Text3", QRect(85, 270, 250, 22), contactAddress(),
                       Label3->text().trimmed());
    lblDisclaimer = textLabel(this, "lblDisclaimer", QRect(10, 296, 300, 30),
                              QStringLiteral("جميع الحقوق محفوظة لفريق Velmor © 2025 - 2026"));
    Command2 = pictureButton(this, "Command2", QRect(368, 298, 42, 28), "notes",
                             QStringLiteral("ملاحظات مهمة"));
    Command1 =
        pictureButton(this, "Command1", QRect(318, 298, 42, 28), "close", QStringLiteral("إغلاق"));

    connect(Command1, &QToolButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QToolButton::clicked, this, &Form2::Command2_Click);
}

void Form2::Form_Load() {
    centreOnScreen(*this);
}

void Form2::Command1_Click() {
    close();
}

void Form2::Command2_Click() {
    auto* notes = new Form3;
    notes->Form_Load();
    if (notesOpened_) {
        notesOpened_(notes);
    }
    showModal(*notes);
}

} // namespace velmor
