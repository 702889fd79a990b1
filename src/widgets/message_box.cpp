#include "message_box.h"

#include "keyboard_layout.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace velmor {

QString applicationTitle() {
    return QStringLiteral("Velmor");
}

void showMessageBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setLayoutDirection(Qt::RightToLeft);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("موافق"));
    box.exec();
}

void showModal(QWidget& window) {
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.raise();
    window.activateWindow();
}

void yieldToEventLoop() {
    QCoreApplication::processEvents();
}

void FrameYield::operator()() {
    constexpr qint64 kFrameNs = 8'000'000;
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    const qint64 now = clock.nsecsElapsed();
    if (lastTurnNs_ < 0 || now - lastTurnNs_ >= kFrameNs) {
        QCoreApplication::processEvents();
        lastTurnNs_ = clock.nsecsElapsed();
    }
}

void copyToClipboard(const QString& text) {
    activateArabicKeyboard();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace velmor
