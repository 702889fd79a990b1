#include "program_window.h"
#include "single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmor;

TEST(SingleInstance, ASecondRealProcessIsRefusedAndTheFirstRunsOn) {
    const QString program = QStringLiteral(VELMOR_TEST_PROGRAM);
    const QString lockFile = SingleInstance(QFileInfo(program).canonicalFilePath()).lockFilePath();
    QProcess first;
    ASSERT_TRUE(test::startWindowAndAwaitLock(first, program, lockFile))
        << "the first copy took no lock";
    QProcess second;
    second.start(program, {});
    QByteArray refusal;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            refusal += second.readAllStandardError();
            return refusal.contains("لا يمكن تشغيل أكثر من نسخة من البرنامج");
        },
        15000))
        << "second copy said: " << refusal.toStdString();
    // The refusal waits on its message box; closing it ends that copy.
    second.kill();
    second.waitForFinished(5000);
    EXPECT_EQ(first.state(), QProcess::Running);
    test::stop(first);
}

// A lock that cannot be made is not another copy: the next per-user folder
// serves, and with none left the message says which folders failed.
TEST(SingleInstance, AnUnusableLockFolderIsNotASecondCopy) {
    QTemporaryDir scratch;
    const QString aFile = scratch.filePath(QStringLiteral("a-file"));
    QFile(aFile).open(QIODevice::WriteOnly);
    const QString unusable = aFile + QStringLiteral("/tmp"); // under a file: never a folder
    const auto start = [&](QProcess& process, const QString& home) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.remove(QStringLiteral("XDG_CACHE_HOME"));
        environment.insert(QStringLiteral("TMPDIR"), unusable);
        environment.insert(QStringLiteral("HOME"), home);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VELMOR_TEST_PROGRAM), {});
    };
    QProcess window;
    start(window, scratch.path());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return !QDir(scratch.filePath(QStringLiteral(".cache/velmor")))
                        .entryList({QStringLiteral("velmor-*.lock")}, QDir::Files)
                        .isEmpty();
        },
        15000));
    EXPECT_EQ(window.state(), QProcess::Running);
    test::stop(window);
    EXPECT_FALSE(window.readAllStandardError().contains("لا يمكن تشغيل أكثر من نسخة"));

    QProcess refused;
    start(refused, unusable);
    QByteArray said;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            said += refused.readAllStandardError();
            return said.contains(unusable.toUtf8());
        },
        15000))
        << said.toStdString();
    EXPECT_FALSE(said.contains("لا يمكن تشغيل أكثر من نسخة"));
    test::stop(refused);
}
