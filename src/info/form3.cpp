#include "form3.h"

#include "addresses.h"
#include "fonts.h"
#include "text_boxes.h"
#include "window_parts.h"
#include "window_placement.h"

#include <QPlainTextEdit>
#include <QToolButton>

namespace velmor {

Form3::Form3() {
    prepareFixedWindow(*this, "Form3", QStringLiteral("ملاحظات"), QSize(460, 340));
    Text2 = makeReadOnlyTextBox(this, "Text2", designedDisplayFont(), Qt::AlignHCenter);
    Text2->setGeometry(8, 8, 444, 284);
    Text2->setPlainText(QString(notesText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    Text2->setAccessibleName(windowTitle());
    Command1 =
        pictureButton(this, "Command1", QRect(209, 302, 42, 28), "close", QStringLiteral("إغلاق"));
    connect(Command1, &QToolButton::clicked, this, &Form3::Command1_Click);
}

void Form3::Form_Load() {
    centreOnScreen(*this);
}

void Form3::Command1_Click() {
    close();
}

} // namespace velmor
