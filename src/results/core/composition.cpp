#include "composition.h"

#include "catalogue.h"
#include "chosen_list.h"
#include "record_view.h"

namespace velmor {

QString ayaDisplayText(const QString& ayaText, const QString& resultLine) {
    return ayaText + QStringLiteral(" (") + resultLine + QStringLiteral(" )");
}

QString wholeSuraUnit(const QString& ayaText, int number) {
    return ayaText + QStringLiteral(" (") + QString::number(number) + QStringLiteral(") ");
}

QString chosenAyaUnit(const QString& ayaText, const QString& resultLine) {
    return ayaText + QStringLiteral(" ( ") + resultLine + QStringLiteral(" )\r\n\r\n");
}

QString composeWholeSura(store::RecordView& view, int sura, const ComposeYield& yield) {
    QString text;
    view.setRecordSource(store::catalogue::wholeSura(sura));
    view.refresh();
    int number = 0;
    while (!view.eof()) {
        text += wholeSuraUnit(view.field(u"ayaa"), ++number);
        view.moveNext();
        if (!yield()) {
            break;
        }
    }
    return text;
}

ChosenEntries entriesOf(const ChosenList& chosen) {
    return {[&chosen] { return chosen.count(); }, [&chosen](qsizetype k) { return chosen.id(k); },
            [&chosen](qsizetype k) { return chosen.line(k); }};
}

QString composeChosen(store::RecordView& view, const ChosenEntries& entries,
                      const ComposeYield& yield) {
    QString text;
    for (qsizetype k = 0; k < entries.count(); ++k) {
        view.setRecordSource(store::catalogue::oneAya(entries.id(k)));
        view.refresh();
        text += chosenAyaUnit(view.field(u"ayaa"), entries.line(k));
        if (!yield()) {
            break;
        }
    }
    return text;
}

} // namespace velmor
