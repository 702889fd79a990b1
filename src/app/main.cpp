#include "command_line.h"
#include "fonts.h"
#include "form1.h"
#include "single_instance.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const velmor::CommandLine command = velmor::parseCommandLine(arguments);
    if (command.action != velmor::CommandLine::Action::Window) {
        QCoreApplication app(argc, argv);
        return velmor::runCommandLine(command, QCoreApplication::applicationDirPath(), stdout,
                                      stderr);
    }

    QApplication app(argc, argv);
    velmor::SingleInstance instance(QCoreApplication::applicationFilePath());
    const bool onlyCopy = instance.acquire();

    QApplication::setApplicationName(velmor::applicationTitle());
    QApplication::setApplicationVersion(QStringLiteral("2.5"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // Hiding to the tray and closing a window opened from the tray must
    // not end the program; only the shut-down does.
    QApplication::setQuitOnLastWindowClosed(false);
    velmor::registerFontSubstitutions();
    // Qt's own dialogs and buttons (the font dialog, "OK") in Arabic.
    QTranslator qtArabic;
    if (qtArabic.load(QLocale(QLocale::Arabic), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtArabic);
    }

    if (!onlyCopy) {
        const QString refusal = QStringLiteral("لا يمكن تشغيل أكثر من نسخة من البرنامج");
        std::fprintf(stderr, "%s\n", refusal.toUtf8().constData());
        std::fflush(stderr);
        velmor::showMessageBox(nullptr, velmor::applicationTitle(), refusal);
        return 1;
    }

    velmor::Form1 form1(QCoreApplication::applicationDirPath());
    form1.Form_Load();
    form1.show();
    return QApplication::exec();
}
