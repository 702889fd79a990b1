#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>
#include <functional>

namespace velmor {

// The chosen ayas: the visible list of their result lines and the hidden
// list of their IDs, always equal in length, in the order chosen, with no
// line twice.
class ChosenList {
public:
    ChosenList(QListWidget& addaya, QStringList& hideadd);

    qsizetype count() const { return hideadd_.size(); }
    QString line(qsizetype k) const;
    const QStringList& ids() const { return hideadd_; }

    // Adds a result unless its line is already chosen. The scan yields after
    // each entry (the list may change meanwhile) and calls duplicate() for
    // each equal entry; nothing is added when the display is empty.
    void add(const QString& line, const QString& id, bool displayEmpty,
             const std::function<void()>& yield, const std::function<void()>& duplicate);

    // Removes entry k from both lists; an index outside them changes nothing.
    void remove(int k);

private:
    QListWidget& addaya_;
    QStringList& hideadd_;
};

} // namespace velmor
