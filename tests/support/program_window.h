#pragma once

#include <QFile>
#include <QProcess>
#include <QTest>

namespace velmor::test {

// Starts a program's window and waits, up to 15 s, until the program holds
// its single-instance lock: the lock file names its owner's process on its
// first line (a file left by an earlier run may be there already).
inline bool startWindowAndAwaitLock(QProcess& process, const QString& program,
                                    const QString& lockFile) {
    process.start(program, {});
    return process.waitForStarted(10000) &&
           QTest::qWaitFor(
               [&] {
                   QFile file(lockFile);
                   return process.state() != QProcess::Running ||
                          (file.open(QIODevice::ReadOnly) &&
                           file.readLine().trimmed() == QByteArray::number(process.processId()));
               },
               15000) &&
           process.state() == QProcess::Running;
}

inline void stop(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace velmor::test
