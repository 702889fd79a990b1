#include "catalogue.h"
#include "composition.h"
#include "form1.h"
#include "form5.h"
#include "keyboard_layout.h"
#include "reference_lists.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QToolButton>

namespace velmor {

namespace {

// The leading number of a text; 0 when it starts with none.
int leadingNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d{1,6})"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

void copyToClipboard(const QString& text) {
    activateArabicKeyboard();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace

void Form1::suraayaalist_Click() {
    const int i = suraayaalist->currentRow();
    const auto record = results.at(i);
    if (!record) {
        return;
    }
    const QString line = suraayaalist->item(i) ? suraayaalist->item(i)->text() : QString();
    bool ok = false;
    const qint64 id = record->id.toLongLong(&ok);
    Adodc2.setRecordSource(store::catalogue::oneAya(ok ? id : 0));
    Adodc2.refresh();
    // The aya is fetched anew, so the reference is shown once however often
    // the line is selected.
    Text1->setPlainText(ayaDisplayText(Adodc2.field(u"ayaa"), line));
    Text2->setPlainText(Adodc2.field(u"taf"));
    const int sura = leadingNumber(record->sura);
    if (sura >= 1 && sura <= store::typelist().size()) {
        typetext->setText(store::typelist()[sura - 1]);
        soraayanum->setText(store::soraayanumlist()[sura - 1]);
    }
    chapterNOtext->setText(record->juz);
    pagenotext->setText(record->page);
}

void Form1::suraayaalist_DblClick() {
    const int i = suraayaalist->currentRow();
    const auto record = results.at(i);
    if (!record || suraayaalist->item(i) == nullptr) {
        return;
    }
    // Line and ID are taken now: the results may be refilled during the
    // duplicate scan's yields.
    chosenList.add(
        suraayaalist->item(i)->text(), record->id, Text1->toPlainText().isEmpty(),
        [this] { yieldToEventLoop(); },
        [this] {
            messageBox(applicationTitle(), QStringLiteral("لقد تمت إضافة هذه الآية سابقا"));
        });
}

void Form1::allayaasearch_Click() {
    allayaasearch->setEnabled(false);
    fullsearch->setEnabled(false);
    const auto selected = results.at(suraayaalist->currentRow());
    if (selected) {
        if (fillResults(store::catalogue::wholeSura(leadingNumber(selected->sura)), 0)) {
            // The walking view rests on the sura's first row.
            Adodc1.refresh();
        }
    }
    fullsearch->setEnabled(true);
    allayaasearch->setEnabled(true);
}

void Form1::addaya_DblClick() {
    chosenList.remove(addaya->currentRow());
}

void Form1::chosen_Click() {
    state.makemode = 2;
    openForm5();
}

void Form1::allayaa_Click() {
    if (state.notonesura != 0) {
        messageBox(QStringLiteral("خطأ"), QStringLiteral("إن نتائج البحث ليست لسورة واحدة"));
        return;
    }
    if (results.count() > 0) {
        state.makesora = static_cast<qint16>(leadingNumber(results.soraanolist().first()));
    }
    state.makemode = 1;
    openForm5();
}

void Form1::openForm5() {
    // Each opening composes afresh in a new window.
    if (form5) {
        form5->close();
    }
    form5 = new Form5(*this);
    form5->Form_Load();
    showModal(*form5);
}

void Form1::copytext_Click() {
    // The raw text keeps the aya's no-break spaces, which the plain text
    // form of a text box turns into blanks.
    copyToClipboard(Text1->document()->toRawText());
}

} // namespace velmor
