#include "chosen_list.h"

namespace velmor {

void ChosenList::add(const QString& given, qint64 id, bool displayEmpty,
                     const std::function<void()>& yield, const std::function<void()>& duplicate) {
    if (displayEmpty) {
        return; // nothing selected yet: nothing to add, nothing to say
    }
    // Copied before the first yield: what the caller's reference names may
    // change or go meanwhile (a search refills the results).
    const QString line = given; // NOLINT(performance-unnecessary-copy-initialization)
    bool mayAdd = true;
    // The count is read again before each step: entries removed during a
    // yield end the scan early instead of being read past the end.
    for (qsizetype k = 0; k < lines_.size(); ++k) {
        if (lines_[k] == line) {
            mayAdd = false;
            duplicate();
        }
        yield();
    }
    // The same line may have been added by another double-click during a
    // yield; the list never holds it twice.
    if (mayAdd && lines_.contains(line)) {
        mayAdd = false;
        duplicate();
    }
    if (mayAdd) {
        lines_.append(line);
        ids_.append(id);
        emit added(lines_.constLast());
    }
}

void ChosenList::remove(qsizetype k) {
    if (k < 0 || k >= lines_.size()) {
        return;
    }
    lines_.removeAt(k);
    ids_.removeAt(k);
    emit removed(static_cast<int>(k));
}

} // namespace velmor
