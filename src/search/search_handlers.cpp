#include "form1.h"
#include "form6.h"
#include "search_query.h"

#include <QLineEdit>
#include <QToolButton>

namespace velmor {

Form6& Form1::ensureForm6() {
    if (!form6) {
        form6 = new Form6(*this);
        form6->Form_Load();
    }
    return *form6;
}

void Form1::option_Click() {
    showModal(ensureForm6());
}

void Form1::search_Click() {
    const QString text = trimBlanks(searcht->text());
    if (text != searcht->text()) {
        searcht->setText(text);
    }
    allayaasearch->setEnabled(false);
    if (!text.isEmpty()) {
        const QString query =
            composeSearchQuery(text, ensureForm6().searchOptions(state.searchscope));
        const ResultSet::FillToken fill = results.beginFill();
        Adodc1.setRecordSource(query);
        state.notonesura = 1;
        Adodc1.refresh();
        if (results.walk(fill, Adodc1, [this] { yieldToEventLoop(); })) {
            results.showCount();
            results.selectFirst();
        }
    }
    allayaasearch->setEnabled(true);
}

} // namespace velmor
