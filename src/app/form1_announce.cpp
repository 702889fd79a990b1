// What the main window tells a screen reader of what happened.
#include "form1.h"
#include "reference.h"
#include "window_parts.h"

#include <QListWidget>

namespace velmor {

void Form1::bindAnnouncements() {
    connect(&chosenList_, &ChosenList::added, this, [this](const QString& line) {
        announce(*this, QStringLiteral("أضيفت %1، والآيات المختارة الآن %2")
                            .arg(line, arabicIndicNumber(chosenList_.count())));
    });
    connect(&chosenList_, &ChosenList::removed, this, [this](int k) {
        const QListWidgetItem* item = addaya->item(k);
        announce(*this, QStringLiteral("حذفت %1، والآيات المختارة الآن %2")
                            .arg(item != nullptr ? item->text() : QString(),
                                 arabicIndicNumber(chosenList_.count())));
    });
}

void Form1::announceResults() {
    const int found = suraayaalist->count();
    announce(*this, found == 0 ? QStringLiteral("لا توجد نتائج")
                               : QStringLiteral("عدد النتائج: %1").arg(arabicIndicNumber(found)));
}

} // namespace velmor
