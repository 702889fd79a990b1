#include "library.h"
#include "library_support.h"

#include <QProcess>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <random>

using namespace velmor;
using namespace velmor::library;

namespace {

// The number in a note "write k…", or -1.
long writeNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^write (\\d+)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toLong() : -1;
}

} // namespace

// A writer killed at any moment loses at most the change it had not
// acknowledged: every acknowledged note is there (or a later one of its
// aya), the file passes its integrity check, and the next writer goes on.
TEST(LibraryWriter, KilledAtRandomMomentsLosesNothingAcknowledged) {
    test::TemporaryLibrary file;
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    std::map<int, long> acknowledged; // aya of sura 2 -> the last write acknowledged
    long next = 0;
    for (int round = 0; round < 30; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(VELMOR_TEST_WRITER), {file.path, QString::number(next)});
        ASSERT_TRUE(writer.waitForStarted(10000));
        // Killed after a random number of acknowledgements, at a random
        // point of the change after it.
        const long wanted = std::uniform_int_distribution<long>(1, 40)(random);
        long seen = 0;
        QByteArray pending;
        const auto take = [&] {
            pending += writer.readAllStandardOutput();
            while (pending.contains('\n')) {
                const qsizetype end = pending.indexOf('\n');
                const long k = pending.left(end).toLong();
                pending.remove(0, end + 1);
                acknowledged[static_cast<int>(k % 286 + 1)] = k;
                next = std::max(next, k + 1);
                ++seen;
            }
        };
        while (seen < wanted && writer.state() == QProcess::Running) {
            writer.waitForReadyRead(10000);
            take();
        }
        ASSERT_EQ(writer.state(), QProcess::Running) << writer.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(10000));
        take();    // acknowledged before the kill landed
        next += 1; // the change it was in may or may not be there

        EXPECT_EQ(test::askFile(file.path, "PRAGMA integrity_check"), QStringLiteral("ok"));
        auto library = file.open();
        ASSERT_TRUE(library);
        for (const auto& [aya, k] : acknowledged) {
            const auto note = library->note({2, aya}).value();
            ASSERT_TRUE(note.has_value()) << "2:" << aya << " lost write " << k;
            const long found = writeNumber(note->text);
            EXPECT_GE(found, k) << "2:" << aya;
            EXPECT_LT(found, next) << "2:" << aya;
        }
    }
    EXPECT_GT(acknowledged.size(), 20U);
}
