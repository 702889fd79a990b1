#include "pane_zoom.h"

#include <QAbstractScrollArea>
#include <QWheelEvent>

namespace velmor {

namespace {
constexpr int kNotch = 120;
} // namespace

PaneZoom::PaneZoom(QObject* parent, Step step) : QObject(parent), step_(std::move(step)) {}

void PaneZoom::watch(QWidget* pane) {
    panes_[pane] = pane;
    pane->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(pane)) {
        panes_[area->viewport()] = pane;
        area->viewport()->installEventFilter(this);
    }
}

bool PaneZoom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) {
        return false;
    }
    auto* wheel = static_cast<QWheelEvent*>(event);
    const auto found = panes_.find(watched);
    if (!(wheel->modifiers() & Qt::ControlModifier) || found == panes_.end()) {
        return false;
    }
    QWidget* pane = found->second;
    int& carried = carried_[pane];
    // A turn the other way starts afresh.
    const int angle = wheel->angleDelta().y();
    if ((angle > 0 && carried < 0) || (angle < 0 && carried > 0)) {
        carried = 0;
    }
    carried += angle;
    const int steps = carried / kNotch;
    carried -= steps * kNotch;
    if (steps != 0) {
        step_(pane, steps);
    }
    return true;
}

} // namespace velmor
