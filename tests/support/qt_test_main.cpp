// GoogleTest entry point for suites that drive real widgets headless, with
// the application set up exactly as the program sets it up.
#include "application_setup.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // What the windows keep per user goes to a folder of this run's own,
    // unless the caller chose one.
    // The reader's library goes to a data folder of its own, likewise.
    const QTemporaryDir configuration;
    const QTemporaryDir data;
    if (!qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", configuration.path().toUtf8());
    }
    if (!qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
    }
    QApplication app(argc, argv);
    velmor::setUpApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
