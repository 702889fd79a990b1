#include "application_setup.h"

#include "fonts.h"
#include "long_text_accessible.h"
#include "message_box.h"
#include "no_mnemonic_style.h"
#include "version.h"
#include "window_parts.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

namespace velmor {

namespace {

// The program's own windows are plain widgets, which a screen reader is
// shown as a nameless filler: each is a frame (a dialog while it is modal)
// named by its title.
QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    if (isAnnouncer(object)) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    auto* window = qobject_cast<QWidget*>(object);
    if (window == nullptr || !window->isWindow() ||
        className != QLatin1String(object->metaObject()->className()) ||
        object->metaObject()->superClass() != &QWidget::staticMetaObject ||
        (window->windowType() != Qt::Window && window->windowType() != Qt::Dialog)) {
        return nullptr;
    }
    return new QAccessibleWidget(window, window->windowModality() == Qt::NonModal
                                             ? QAccessible::Window
                                             : QAccessible::Dialog);
}

} // namespace

void setUpApplication(QApplication& app) {
    QAccessible::installFactory(windowAccessible);
    QAccessible::installFactory(longTextAccessible);
    QApplication::setApplicationName(applicationTitle());
    QApplication::setApplicationVersion(QLatin1String(kVersion));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // Hiding to the tray and closing a window opened from the tray must
    // not end the program; only the shut-down does.
    QApplication::setQuitOnLastWindowClosed(false);
    registerFontSubstitutions();
    QApplication::setStyle(new NoMnemonicStyle);
    // Qt's own dialogs and buttons (the font dialog, "OK") in Arabic.
    auto* qtArabic = new QTranslator(&app);
    if (qtArabic->load(QLocale(QLocale::Arabic), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtArabic);
    }
}

} // namespace velmor
