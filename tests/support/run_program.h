#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>

// Running programs, and reading the files they leave.
namespace velmor::test {

// What a file holds, or a marker when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    // The output's lines, without the empty last one.
    QStringList lines() const { return QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts); }
};

// Runs a program to its end (at most 30 s).
inline ProgramRun runProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    ProgramRun run;
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

#ifdef VELMOR_TEST_PROGRAM
// Runs the velmor command line of the build.
inline ProgramRun runVelmor(const QStringList& arguments) {
    return runProgram(QStringLiteral(VELMOR_TEST_PROGRAM), arguments);
}
#endif

} // namespace velmor::test
