#include "single_instance.h"

#include <QElapsedTimer>
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

bool waitFor(const std::function<bool()>& condition, int milliseconds = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) {
            return false;
        }
        QTest::qWait(20);
    }
    return true;
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
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(lockFile); }))
        << "the first copy took no lock";

    QProcess second;
    startProgram(second);
    QByteArray refusal;
    ASSERT_TRUE(waitFor([&] {
        refusal += second.readAllStandardError();
        return refusal.contains("لا يمكن تشغيل أكثر من نسخة من البرنامج");
    })) << refusal.toStdString();
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
