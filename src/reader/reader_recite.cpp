// Reciting from memory in the reading window.
#include "reader_window.h"
#include "reference.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QToolButton>

namespace velmor {

QWidget* ReaderWindow::buildReciteBar() {
    reciteBar = new QWidget(this);
    reciteBar->setObjectName(QStringLiteral("reciteBar"));
    auto* row = new QHBoxLayout(reciteBar);
    row->setContentsMargins(0, 0, 0, 0);
    hidePicker = new QComboBox(reciteBar);
    hidePicker->setObjectName(QStringLiteral("hidePicker"));
    hidePicker->setAccessibleName(QStringLiteral("إخفاء الكلمات"));
    hidePicker->addItem(QStringLiteral("فراغ بعرض الكلمة"), false);
    hidePicker->addItem(QStringLiteral("الحرف الأول"), true);
    hidePicker->setCurrentIndex(preferences_.reciteFirstLetters ? 1 : 0);
    connect(hidePicker, &QComboBox::activated, this,
            [this](int index) { setReciteFirstLetters(hidePicker->itemData(index).toBool()); });
    row->addWidget(new QLabel(QStringLiteral("الإخفاء:"), reciteBar));
    row->addWidget(hidePicker);
    const struct {
        const char* name;
        QString caption;
        void (ReaderWindow::*step)();
    } steps[] = {
        {"revealWord", QStringLiteral("الكلمة التالية (مسافة)"), &ReaderWindow::revealWord},
        {"revealAya", QStringLiteral("بقية الآية (Enter)"), &ReaderWindow::revealAya},
        {"hideWord", QStringLiteral("إخفاء الأخيرة (Backspace)"), &ReaderWindow::hideWord},
        {"markMissed", QStringLiteral("لم أحفظها (Ctrl+M)"), &ReaderWindow::markMissed},
    };
    for (const auto& step : steps) {
        auto* button = new QToolButton(reciteBar);
        button->setObjectName(QString::fromLatin1(step.name));
        button->setText(step.caption);
        button->setAccessibleName(step.caption);
        button->setFocusPolicy(Qt::NoFocus); // the keys go on to the text
        connect(button, &QToolButton::clicked, this, step.step);
        row->addWidget(button);
    }
    reciteLine = new QLabel(reciteBar);
    reciteLine->setObjectName(QStringLiteral("reciteLine"));
    row->addWidget(reciteLine, 1);
    reciteBar->hide();
    return reciteBar;
}

void ReaderWindow::bindReciteKeys() {
    auto* missed = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this);
    connect(missed, &QShortcut::activated, this, &ReaderWindow::markMissed);
    auto* toggle = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), this);
    connect(toggle, &QShortcut::activated, reciteToggle, &QToolButton::click);
    connect(reciteToggle, &QToolButton::toggled, this, &ReaderWindow::setReciting);
}

void ReaderWindow::setReciting(bool on) {
    const QSignalBlocker quiet(reciteToggle);
    reciteToggle->setChecked(on);
    const SuraText::Placed* current = session_.sura().find(session_.current());
    if (on && current != nullptr) {
        recitation_ = std::make_unique<Recitation>(
            session_.sura(), static_cast<std::size_t>(current - session_.sura().placed.data()));
    } else {
        recitation_.reset();
    }
    reciteBar->setVisible(recitation_ != nullptr);
    showRecitation();
    if (recitation_) {
        scripture->setFocus(Qt::OtherFocusReason);
    }
}

void ReaderWindow::setReciteFirstLetters(bool firstLetters) {
    preferences_.reciteFirstLetters = firstLetters;
    hidePicker->setCurrentIndex(firstLetters ? 1 : 0);
    showRecitation();
}

void ReaderWindow::showRecitation() {
    scripture->setRecitation(recitation_.get(), preferences_.reciteFirstLetters,
                             coloursOf(preferences_.theme));
    if (!recitation_) {
        return;
    }
    // The aya of the word shown last, or the first one.
    const std::size_t shown = recitation_->revealed();
    const std::size_t aya =
        shown == 0 ? recitation_->currentAya() : recitation_->words()[shown - 1].aya;
    const int number = aya < session_.sura().ayas.size() ? session_.sura().ayas[aya].aya : 0;
    reciteLine->setText(QStringLiteral("الآية %1: %2 من %3 كلمة، الأخطاء فيها %4")
                            .arg(arabicIndicNumber(number))
                            .arg(arabicIndicNumber(qint64(shown)))
                            .arg(arabicIndicNumber(qint64(recitation_->words().size())))
                            .arg(arabicIndicNumber(recitation_->missesIn(aya))));
}

void ReaderWindow::revealWord() {
    if (recitation_ && recitation_->revealNext()) {
        showRecitation();
    }
}

void ReaderWindow::revealAya() {
    if (recitation_ && recitation_->revealAya()) {
        showRecitation();
    }
}

void ReaderWindow::hideWord() {
    if (recitation_ && recitation_->hideLast()) {
        showRecitation();
    }
}

void ReaderWindow::markMissed() {
    if (recitation_) {
        static_cast<void>(recitation_->toggleMissed());
        showRecitation();
    }
}

bool ReaderWindow::reciteKey(const QKeyEvent& key) {
    if (!recitation_ || key.modifiers() != Qt::NoModifier) {
        return false;
    }
    switch (key.key()) {
    case Qt::Key_Space:
        revealWord();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        revealAya();
        return true;
    case Qt::Key_Backspace:
        hideWord();
        return true;
    default:
        return false;
    }
}

} // namespace velmor
