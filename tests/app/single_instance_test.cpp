#include "program_window.h"
#include "single_instance.h"

#include <QFileInfo>
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
