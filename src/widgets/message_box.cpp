#include "message_box.h"

#include "keyboard_layout.h"

#include <QClipboard>
#include <QCoreApplication>
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
    if (clock_.due()) {
        QCoreApplication::processEvents();
    }
}

void copyToClipboard(const QString& text) {
    activateArabicKeyboard();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace velmor
