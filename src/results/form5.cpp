#include "form5.h"

#include "chosen_list.h"
#include "composition.h"
#include "first_show.h"
#include "keyboard_layout.h"
#include "long_text_box.h"
#include "message_box.h"
#include "print_dialog.h"
#include "text_boxes.h"
#include "twips.h"
#include "window_parts.h"
#include "window_placement.h"

#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QVBoxLayout>

namespace velmor {

Form5::Form5(CompositionRequest request, const ChosenList& chosen, store::Store& store,
             QString programFolder, const QFont& displayFont)
    : QWidget(nullptr), Adodc1(store), request_(request), store_(store), chosen_(chosen),
      programFolder_(std::move(programFolder)),
      // After the please-wait text has been painted.
      firstShow_(new FirstShow(*this, [this] { Form_Activate(); })) {
    prepareWindow(*this, "Form5", QStringLiteral("إنشاء النص"));
    resize(twips(7725), twips(5400));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar = new QMenuBar(this);
    copy = new QAction(QStringLiteral("نسخ"), this);
    copy->setObjectName(QStringLiteral("copy"));
    menuBar->addAction(copy);
    layout->setMenuBar(menuBar);
    Text2 = new LongTextBox(this);
    prepareReadOnlyTextBox(*Text2, "Text2", displayFont);
    // Room above the first line's marks and beside the text.
    Text2->document()->setDocumentMargin(10);
    shownText_ = QStringLiteral("يرجى الإنتظار ...\r\n");
    Text2->showText(QStringLiteral("يرجى الإنتظار ...\n"));
    layout->addWidget(Text2);
    connect(copy, &QAction::triggered, this, &Form5::copy_Click);
    // Beyond the designed window, a key alone: its menu and layout stay.
    auto* print = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(print, &QShortcut::activated, this, &Form5::print_Click);
}

void Form5::print_Click() {
    PrintDialog::Start start;
    if (request_.mode == CompositionRequest::Chosen && !chosen_.ids().isEmpty()) {
        start.chosen.assign(chosen_.ids().begin(), chosen_.ids().end());
        start.current = start.chosen.front();
    } else {
        start.sura = request_.sura;
    }
    PrintDialog::open(store_, store::buildConnectionString(programFolder_), std::move(start), this);
}

void Form5::Form_Load() {
    activateArabicKeyboard();
    centreOnScreen(*this);
    Adodc1.setConnectionString(store::buildConnectionString(programFolder_));
}

void Form5::Form_Activate() {
    if (composed_ || firstShow_->windowClosed()) {
        return;
    }
    composed_ = true;
    QPointer<Form5> self(this);
    // Yields until the window goes; what was composed is then dropped.
    const auto gone = [&self] { return self.isNull() || self->firstShow_->windowClosed(); };
    FrameYield turn;
    const ComposeYield yield = [&gone, &turn] {
        turn();
        return !gone();
    };
    QString text;
    if (request_.mode == CompositionRequest::WholeSura) {
        text = composeWholeSura(Adodc1, request_.sura, yield);
    } else if (request_.mode == CompositionRequest::Chosen) {
        text = composeChosen(Adodc1, entriesOf(chosen_), yield);
    } else {
        return; // nothing to compose: the please-wait text stays
    }
    if (gone()) {
        return;
    }
    Text1 = text;
    // The box shows paragraphs; the copy keeps the composed CR LF breaks.
    Text2->showText(QString(Text1).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    shownText_ = Text1;
}

void Form5::copy_Click() {
    copyToClipboard(shownText_);
}

} // namespace velmor
