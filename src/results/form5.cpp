#include "form5.h"

#include "composition.h"
#include "form1.h"
#include "keyboard_layout.h"
#include "text_boxes.h"
#include "twips.h"
#include "window_placement.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

namespace velmor {

Form5::Form5(Form1& main) : QWidget(nullptr), Adodc1(main.store()), main_(main) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("إنشاء النص"));
    setWindowIcon(main.windowIcon());
    setLayoutDirection(Qt::RightToLeft);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(twips(7725), twips(5400));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar = new QMenuBar(this);
    copy = new QAction(QStringLiteral("نسخ"), this);
    copy->setObjectName(QStringLiteral("copy"));
    menuBar->addAction(copy);
    layout->setMenuBar(menuBar);
    Text2 = makeReadOnlyTextBox(this, "Text2", main.Text1->font());
    shownText_ = QStringLiteral("يرجى الإنتظار ...\r\n");
    Text2->setPlainText(QStringLiteral("يرجى الإنتظار ...\n"));
    layout->addWidget(Text2);
    connect(copy, &QAction::triggered, this, &Form5::copy_Click);
}

void Form5::Form_Load() {
    activateArabicKeyboard();
    centreOnScreen(*this);
    Adodc1.setConnectionString(store::buildConnectionString(main_.programFolder()));
}

void Form5::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!activated_) {
        activated_ = true;
        // After the please-wait text has been painted.
        QTimer::singleShot(0, this, &Form5::Form_Activate);
    }
}

void Form5::closeEvent(QCloseEvent* event) {
    unloaded_ = true;
    QWidget::closeEvent(event);
}

void Form5::Form_Activate() {
    if (composed_ || unloaded_) {
        return;
    }
    composed_ = true;
    QPointer<Form5> self(this);
    // Yields until the window goes; what was composed is then dropped.
    const ComposeYield yield = [this, self] {
        main_.yieldToEventLoop();
        return !self.isNull() && !unloaded_;
    };
    const qint16 mode = main_.state.makemode;
    if (mode == 1) {
        Text1.clear();
        const QString text = composeWholeSura(Adodc1, main_.state.makesora, yield);
        if (self.isNull() || unloaded_) {
            return;
        }
        Text1 = text;
    } else if (mode == 2) {
        Text1.clear();
        const ChosenList& chosen = main_.chosenList;
        const QString text = composeChosen(Adodc1,
                                           {[&] { return chosen.count(); },
                                            [&](qsizetype k) { return chosen.ids().value(k); },
                                            [&](qsizetype k) { return chosen.line(k); }},
                                           yield);
        if (self.isNull() || unloaded_) {
            return;
        }
        Text1 = text;
    } else {
        return; // nothing to compose: the please-wait text stays
    }
    // The box shows paragraphs; the copy keeps the composed CR LF breaks.
    Text2->setPlainText(QString(Text1).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    shownText_ = Text1;
}

void Form5::copy_Click() {
    activateArabicKeyboard();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(shownText_);
}

} // namespace velmor
