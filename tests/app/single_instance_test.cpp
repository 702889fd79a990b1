#include "single_instance.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

const QString kProgram = QStringLiteral(VELMOR_TEST_PROGRAM);

void startProgram(QProcess& process) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(kProgram, {});
    ASSERT_TRUE(process.waitForStarted(10000));
}

} // namespace

TEST(SingleInstance, OneLockPerProgramAndReleasedWithItsOwner) {
    const QString program = QStringLiteral("/opt/test/velmor-single-instance-check");
    auto first = std::make_unique<SingleInstance>(program);
    ASSERT_TRUE(first->acquire());
    SingleInstance second(program);
    EXPECT_FALSE(second.acquire());
    SingleInstance otherProgram(program + QStringLiteral("-other"));
    EXPECT_TRUE(otherProgram.acquire());
    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST(SingleInstance, ASecondRealProcessIsRefusedAndTheFirstRunsOn) {
    const QString lockFile = SingleInstance(QFileInfo(kProgram).canonicalFilePath()).lockFilePath();
    QProcess first;
    startProgram(first);
    // The lock file names its owner's process on its first line (a file
    // left by an earlier run may be there already).
    const auto heldByFirst = [&] {
        QFile file(lockFile);
        return file.open(QIODevice::ReadOnly) &&
               file.readLine().trimmed() == QByteArray::number(first.processId());
    };
    ASSERT_TRUE(QTest::qWaitFor(heldByFirst, 15000)) << "the first copy took no lock";

    QProcess second;
    startProgram(second);
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
    first.terminate();
    if (!first.waitForFinished(5000)) {
        first.kill();
        first.waitForFinished(5000);
    }
}
