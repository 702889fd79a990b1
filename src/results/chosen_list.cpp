#include "chosen_list.h"

namespace velmor {

ChosenList::ChosenList(QListWidget& addaya, QStringList& hideadd)
    : addaya_(addaya), hideadd_(hideadd) {}

QString ChosenList::line(qsizetype k) const {
    const QListWidgetItem* item = addaya_.item(static_cast<int>(k));
    return item ? item->text() : QString();
}

void ChosenList::add(const QString& line, const QString& id, bool displayEmpty,
                     const std::function<void()>& yield, const std::function<void()>& duplicate) {
    if (displayEmpty) {
        return; // nothing selected yet: nothing to add, nothing to say
    }
    bool mayAdd = true;
    // The count is read again before each step: entries removed during a
    // yield end the scan early instead of being read past the end.
    for (int k = 0; k < addaya_.count(); ++k) {
        if (addaya_.item(k)->text() == line) {
            mayAdd = false;
            duplicate();
        }
        yield();
    }
    // The same line may have been added by another double-click during a
    // yield; the list never holds it twice.
    if (mayAdd && !addaya_.findItems(line, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty()) {
        mayAdd = false;
        duplicate();
    }
    if (mayAdd) {
        addaya_.addItem(line);
        hideadd_.append(id);
    }
}

void ChosenList::remove(int k) {
    if (k < 0 || k >= addaya_.count() || k >= hideadd_.size()) {
        return;
    }
    hideadd_.removeAt(k);
    delete addaya_.takeItem(k);
}

} // namespace velmor
