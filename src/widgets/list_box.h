#pragma once

#include <QListWidget>

namespace velmor {

// A list whose current item is told to a screen reader as focused only
// while the list has the keyboard: Qt's list view says so whenever the
// current item changes, so that a search that selects its first result
// would send the reader to the list while typing still goes to the search
// box.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

} // namespace velmor
