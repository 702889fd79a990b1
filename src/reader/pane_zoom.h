#pragma once

#include <QObject>
#include <functional>
#include <map>

class QWidget;

namespace velmor {

// Ctrl+wheel over a pane steps its text size: one step for each notch of
// the wheel (120 units of its angle), however the wheel or a touchpad cuts
// the turning into events; the rest is carried to the next event.
class PaneZoom : public QObject {
public:
    using Step = std::function<void(QWidget* pane, int steps)>;
    PaneZoom(QObject* parent, Step step);

    // Watches the pane and its viewport.
    void watch(QWidget* pane);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Step step_;
    std::map<QObject*, QWidget*> panes_; // the pane or its viewport, to the pane
    std::map<QWidget*, int> carried_;    // angle not yet stepped, per pane
};

} // namespace velmor
