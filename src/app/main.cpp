#include "application_setup.h"
#include "command_line.h"
#include "fonts.h"
#include "form1.h"
#include "message_box.h"
#include "single_instance.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const velmor::CommandLine command = velmor::parseCommandLine(arguments);
    if (command.draws()) {
        // Text is drawn without a window, through the fonts a GUI
        // application has.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        QGuiApplication app(argc, argv);
        QCoreApplication::setApplicationName(velmor::applicationTitle());
        return velmor::runCommandLine(command, QCoreApplication::applicationDirPath(), stdout,
                                      stderr);
    }
    if (command.action != velmor::CommandLine::Action::Window) {
        QCoreApplication app(argc, argv);
        // The reader's library is in the same per-user folder as the window's.
        QCoreApplication::setApplicationName(velmor::applicationTitle());
        return velmor::runCommandLine(command, QCoreApplication::applicationDirPath(), stdout,
                                      stderr);
    }

    QApplication app(argc, argv);
    velmor::SingleInstance instance(QCoreApplication::applicationFilePath());
    const velmor::SingleInstance::Outcome lock = instance.acquire();

    velmor::setUpApplication(app);

    if (lock != velmor::SingleInstance::Outcome::Acquired) {
        const QString refusal = lock == velmor::SingleInstance::Outcome::HeldByAnother
                                    ? QStringLiteral("لا يمكن تشغيل أكثر من نسخة من البرنامج")
                                    : instance.noFolderMessage();
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
