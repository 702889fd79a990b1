#pragma once

#include <QIcon>
#include <QObject>

class QSystemTrayIcon;

namespace velmor {

// The notification-area icon: a show-icon property, a button event carrying
// the mouse-button code (1 left, 2 right, 4 middle) and an activation event
// (a double click). Where the desktop has no tray the icon is never shown,
// but the property still records what was asked, and the events still work
// when raised on the underlying icon.
class TrayArea : public QObject {
    Q_OBJECT
public:
    static constexpr int kLeftButton = 1;
    static constexpr int kRightButton = 2;
    static constexpr int kMiddleButton = 4;

    explicit TrayArea(const QIcon& icon, QObject* parent = nullptr);

    bool showIcon() const { return showIcon_; }
    void setShowIcon(bool show);

    QSystemTrayIcon& icon() const { return *icon_; }

signals:
    void buttonEvent(int button);
    void activated();

private:
    QSystemTrayIcon* icon_;
    bool showIcon_ = false;
};

} // namespace velmor
