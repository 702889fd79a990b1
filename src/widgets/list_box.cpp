#include "list_box.h"

namespace velmor {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {}

void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (hasFocus()) {
        QListWidget::currentChanged(current, previous); // with the focus event
    } else {
        QAbstractItemView::currentChanged(current,
                                          previous); // NOLINT(bugprone-parent-virtual-call)
    }
}

} // namespace velmor
