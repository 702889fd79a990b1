// The command line's check of quotations and its similar ayas, run as a
// reader runs them.
#include "run_program.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

QString written(const QTemporaryDir& folder, const char* name, const QByteArray& bytes) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

// Every line of the output, empty ones kept.
QStringList allLines(const test::ProgramRun& run) {
    QStringList lines = QString::fromUtf8(run.out).split(u'\n');
    EXPECT_EQ(lines.takeLast(), QString()) << "the output ends in a newline";
    return lines;
}

} // namespace

TEST(VerifyCommand, PrintsEachQuotationThenTheCount) {
    QTemporaryDir folder;
    const QByteArray text = "قال الخطيب: وقل ربي زدني علما،\nثم قرأ: قل هو الله أحد الله الصمد.";
    const QString path = written(folder, "sermon.txt", text);
    const test::ProgramRun run = test::runVelmor({"--verify", path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(allLines(run),
              QStringList({"12:17\t20:114\tdiffers\tربي>رَبِّ", "39:25\t112:1-2\texact", "2"}));
    // The same from standard input.
    QProcess process;
    process.start(QStringLiteral(VELMOR_TEST_PROGRAM), {"--verify", "-"});
    process.write(text);
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), run.out);
    // Nothing quoted: the count alone.
    const test::ProgramRun none =
        test::runVelmor({"--verify", written(folder, "prose.txt", "ذهبنا إلى السوق في الصباح")});
    EXPECT_EQ(allLines(none), QStringList({"0"}));
}

TEST(VerifyCommand, RefusesWhatItCannotReadInOneLine) {
    QTemporaryDir folder;
    const std::vector<std::pair<QString, QString>> bad{
        {folder.filePath("missing.txt"), "missing.txt"},
        {folder.path(), folder.path()},
        {written(folder, "latin1.txt", "caf\xe9"), "latin1.txt"},
        {written(folder, "broken.txt", "\xd9\x82\xd9 \xd9\x84"), "broken.txt"},
        {written(folder, "big.txt", QByteArray(1024 * 1024 + 1, 'a')), "big.txt"},
    };
    for (const auto& [path, named] : bad) {
        const test::ProgramRun run = test::runVelmor({"--verify", path});
        EXPECT_EQ(run.exitCode, 2) << path.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(named)) << run.err.toStdString();
    }
    // Exactly 1 MiB is taken.
    const test::ProgramRun full =
        test::runVelmor({"--verify", written(folder, "full.txt", QByteArray(1024 * 1024, 'a'))});
    EXPECT_EQ(full.exitCode, 0) << full.err.toStdString();
}

TEST(SimilarCommand, PrintsEachAyaAndItsSlipsMostSimilarFirst) {
    const test::ProgramRun pair = test::runVelmor({"--similar", "2:35"});
    ASSERT_EQ(pair.exitCode, 0) << pair.err.toStdString();
    EXPECT_EQ(allLines(pair),
              QStringList({"الأعراف : 19", "-وَقُلنا\tيا>وَيا\tوَكُلا>فَكُلا\tمِنها>مِن\t-رَغَدًا", "1"}));
    // A refrain: each identical aya with an empty line of slips.
    const QStringList refrain = allLines(test::runVelmor({"--similar", "الرحمن 13"}));
    ASSERT_EQ(refrain.size(), 61);
    EXPECT_EQ(refrain[0], "الرحمن : 16");
    EXPECT_EQ(refrain[1], "");
    EXPECT_EQ(refrain.last(), "30");
    EXPECT_EQ(allLines(test::runVelmor({"--similar", "2:255"})), QStringList({"0"}));
    for (const char* ref : {"2:287", "115:1", "nothing"}) {
        const test::ProgramRun bad = test::runVelmor({"--similar", ref});
        EXPECT_EQ(bad.exitCode, 2) << ref;
        EXPECT_EQ(bad.err.count('\n'), 1) << bad.err.toStdString();
    }
}
