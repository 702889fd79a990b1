#include "application_setup.h"

#include "fonts.h"
#include "message_box.h"
#include "no_mnemonic_style.h"
#include "version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmor {

void setUpApplication(QApplication& app) {
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
