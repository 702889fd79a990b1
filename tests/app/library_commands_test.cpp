#include "run_program.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmor;
using test::runVelmor;

namespace {

// The command line over a library in a data folder of the test's own.
class LibraryCommands : public ::testing::Test {
protected:
    LibraryCommands() { qputenv("XDG_DATA_HOME", home.path().toUtf8()); }
    QTemporaryDir home;
    QString library = home.filePath(QStringLiteral("Velmor/library.db"));

    void ok(const QStringList& arguments) {
        const test::ProgramRun run = runVelmor(arguments);
        EXPECT_EQ(run.exitCode, 0)
            << arguments.join(u' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
};

} // namespace

TEST_F(LibraryCommands, BookmarkListAndRemoveInReadingOrder) {
    ok({"--bookmark", "البقرة 255", "--label", "آية الكرسي"});
    ok({"--bookmark", "1:1", "--collection", "حفظ"});
    ok({"--bookmark", "٢:١"}); // the collection used last
    ok({"--bookmark", "2:255", "--collection", "حفظ"});
    test::ProgramRun listed = runVelmor({"--bookmarks"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.lines(),
              (QStringList{"الفاتحة : 1\tحفظ\t", "البقرة : 1\tحفظ\t",
                           "البقرة : 255\tالمفضلة\tآية الكرسي", "البقرة : 255\tحفظ\t"}));
    // In two collections, the one used last loses it unless told another.
    ok({"--unbookmark", "2:255"});
    ok({"--unbookmark", "1:1"});
    EXPECT_EQ(runVelmor({"--bookmarks"}).lines(),
              (QStringList{"البقرة : 1\tحفظ\t", "البقرة : 255\tالمفضلة\tآية الكرسي"}));
    ok({"--bookmark", "2:255", "--collection", "دعاء"});
    ok({"--bookmark", "2:255", "--collection", "حفظ"});
    ok({"--bookmark", "3:3", "--collection", "أخرى"}); // used last, without 2:255
    const test::ProgramRun unclear = runVelmor({"--unbookmark", "2:255"});
    EXPECT_EQ(unclear.exitCode, 2);
    EXPECT_TRUE(unclear.err.contains("--collection"));
    ok({"--unbookmark", "2:255", "--collection", "المفضلة"});
    const test::ProgramRun missing = runVelmor({"--unbookmark", "114:1"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err.count('\n'), 1);
    EXPECT_EQ(runVelmor({"--bookmark", "2:300"}).exitCode, 2);
}

TEST_F(LibraryCommands, NotesOnOneLineEachAndAnEmptyTextRemoves) {
    ok({"--note", "2:255", "سطر أول\nسطر ثان \\ بشرطة"});
    ok({"--note", "1:1", "بسم"});
    EXPECT_EQ(runVelmor({"--notes"}).lines(),
              (QStringList{"الفاتحة : 1\tبسم", "البقرة : 255\tسطر أول\\nسطر ثان \\\\ بشرطة"}));
    ok({"--note", "1:1", ""});
    EXPECT_EQ(runVelmor({"--notes"}).lines().size(), 1);
}

// Exported, the library removed, imported: everything is back, and
// importing again changes nothing.
TEST_F(LibraryCommands, ExportRemoveImportBringsEverythingBack) {
    ok({"--bookmark", "18:10", "--collection", "الكهف", "--label", "الفتية"});
    ok({"--note", "18:10", "فقرة\n\nفقرة"});
    const QString out = home.filePath(QStringLiteral("out.json"));
    ok({"--export", out});
    const QByteArray before = test::fileBytes(out);
    for (const char* suffix : {"", "-wal", "-shm"}) {
        QFile::remove(library + QLatin1String(suffix));
    }
    EXPECT_TRUE(runVelmor({"--bookmarks"}).lines().isEmpty());
    ok({"--import", out});
    ok({"--import", out});
    ok({"--export", out});
    EXPECT_EQ(test::fileBytes(out), before);
    EXPECT_EQ(runVelmor({"--bookmarks"}).lines(), QStringList{"الكهف : 10\tالكهف\tالفتية"});
}

// Bad input is one line naming the file with status 2; a file that cannot
// be written, status 1; neither changes the library.
TEST_F(LibraryCommands, BadFilesAreRefusedAndNamed) {
    ok({"--note", "1:1", "باقية"});
    const QString bad = home.filePath(QStringLiteral("bad.json"));
    for (const QByteArray& bytes :
         {QByteArray("not json"), QByteArray(R"({"format":"velmor-library","version":7})"),
          QByteArray(R"({"format":"velmor-library","version":1,
                                        "notes":[{"sura":1,"aya":99,"text":"x",
                                        "updated":"2020-01-01T00:00:00Z"}]})")}) {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const test::ProgramRun run = runVelmor({"--import", bad});
        EXPECT_EQ(run.exitCode, 2) << bytes.toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(bad));
        EXPECT_EQ(run.err.count('\n'), 1);
    }
    const test::ProgramRun absent = runVelmor({"--import", home.filePath("none.json")});
    EXPECT_EQ(absent.exitCode, 2);
    const QString into = home.filePath(QStringLiteral("bad.json/out.json")); // a file, not a folder
    const test::ProgramRun unwritable = runVelmor({"--export", into});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(unwritable.err).contains(into));
    EXPECT_EQ(runVelmor({"--notes"}).lines(), QStringList{"الفاتحة : 1\tباقية"});
}

TEST_F(LibraryCommands, HistoryIsEmptyUntilTheWindowSearches) {
    const test::ProgramRun run = runVelmor({"--history"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(QFile::exists(library));
}
