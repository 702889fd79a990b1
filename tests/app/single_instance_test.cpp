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
    // The lock file names its owner's process on its first line (a file
    // left by an earlier run may be there already).
    const auto heldByFirst = [&] {
        QFile file(lockFile);
        return file.open(QIODevice::ReadOnly) &&
               file.readLine().trimmed() == QByteArray::number(first.processId());
    };
    ASSERT_TRUE(waitFor(heldByFirst)) << "the first copy took no lock";

    QProcess second;
    startProgram(second);
    QByteArray refusal;
    ASSERT_TRUE(waitFor([&] {
        refusal += second.readAllStandardError();
        return refusal.contains("لا يمكن تشغيل أكثر من نسخة من البرنامج");
    })) << "second copy said: "
        << refusal.toStdString() << "; lock file: " <<
        [&] {
            QFile file(lockFile);
            return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString()
                                                  : std::string("none");
        }()
        << "; first pid " << first.processId() << " state " << first.state() << " proc: " <<
        [&] {
            QFile status(QStringLiteral("/proc/%1/status").arg(first.processId()));
            return status.open(QIODevice::ReadOnly) ? status.read(200).toStdString()
                                                    : std::string("gone");
        }()
        << " first said: " << first.readAllStandardError().toStdString() << "; second pid "
        << second.processId() << " state " << second.state();
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
