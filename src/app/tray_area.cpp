#include "tray_area.h"

#include <QSystemTrayIcon>

namespace velmor {

TrayArea::TrayArea(const QIcon& icon, QObject* parent)
    : QObject(parent), icon_(new QSystemTrayIcon(icon, this)) {
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                case QSystemTrayIcon::Context:
                    emit buttonEvent(kRightButton);
                    break;
                case QSystemTrayIcon::Trigger:
                    emit buttonEvent(kLeftButton);
                    break;
                case QSystemTrayIcon::MiddleClick:
                    emit buttonEvent(kMiddleButton);
                    break;
                case QSystemTrayIcon::DoubleClick:
                    emit activated();
                    break;
                case QSystemTrayIcon::Unknown:
                    break;
                }
            });
}

void TrayArea::setShowIcon(bool show) {
    showIcon_ = show;
    if (!show || QSystemTrayIcon::isSystemTrayAvailable()) {
        icon_->setVisible(show);
    }
}

} // namespace velmor
