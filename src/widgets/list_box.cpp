#include "list_box.h"

namespace velmor {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {}

void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (hasFocus()) {
        QListWidget::currentChanged(current, previous); // with the focus event
    } else {
        // Past the list view's own, which says the item has the focus.
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        QAbstractItemView::currentChanged(current, previous);
    }
}

} // namespace velmor
