// The reading window's logic without widgets: where it is placed, which
// saved layouts it takes back, its settings file in hostile places, the
// plain copy and the aya under a position.
#include "placement.h"
#include "reader_preferences.h"
#include "run_program.h"
#include "scripture.h"
#include "sura_text.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace velmor;

TEST(ReaderPlacement, NeitherCoversTheOtherWhereTheScreenHasRoomForBoth) {
    const QSize minimum(560, 480);
    struct Case {
        const char* name;
        QRect screen;
        QRect main;
        bool roomForBoth;
    };
    const std::vector<Case> cases{
        {"wide screen, room beside", {0, 0, 1920, 1080}, {660, 240, 600, 600}, true},
        {"1280x800, the main window centred", {0, 0, 1280, 800}, {340, 100, 600, 600}, true},
        {"1280x800, the main window at the left", {0, 0, 1280, 800}, {0, 100, 600, 600}, true},
        {"1280x800, the main window at the right", {0, 0, 1280, 800}, {680, 100, 600, 600}, true},
        {"a screen with a panel on its left", {64, 0, 1216, 800}, {400, 100, 600, 600}, true},
        {"1024x768, too narrow for both", {0, 0, 1024, 768}, {212, 84, 600, 600}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Placement placed = placeBeside(c.main, c.screen, minimum);
        const QRect main =
            placed.mainWindowAt ? QRect(*placed.mainWindowAt, c.main.size()) : c.main;
        EXPECT_TRUE(c.screen.contains(placed.reader));
        EXPECT_TRUE(c.screen.contains(main));
        EXPECT_GE(placed.reader.width(), std::min(minimum.width(), c.screen.width()));
        EXPECT_EQ(!placed.reader.intersects(main), c.roomForBoth);
        // The main window moves only when it must.
        const int room =
            std::max(c.main.left() - c.screen.left(), c.screen.right() - c.main.right());
        EXPECT_EQ(placed.mainWindowAt.has_value(), c.roomForBoth && room - 16 < minimum.width());
    }
}

TEST(ReaderPlacement, ASavedPlaceOrSplitIsTakenBackOnlyWhereItIsUsable) {
    const QList<QRect> screens{{0, 0, 1280, 800}, {1280, 0, 1920, 1080}};
    EXPECT_TRUE(fitsAScreen({100, 100, 700, 600}, screens));
    EXPECT_TRUE(fitsAScreen({1400, 50, 900, 900}, screens));
    EXPECT_FALSE(fitsAScreen({}, screens));                    // garbage reads as nothing
    EXPECT_FALSE(fitsAScreen({0, 0, 2564, 700}, screens));     // widened by a long message
    EXPECT_FALSE(fitsAScreen({-5000, 0, 700, 600}, screens));  // a screen that is gone
    EXPECT_FALSE(fitsAScreen({1200, 100, 300, 300}, screens)); // across two screens

    const QList<int> minimums{80, 60};
    EXPECT_TRUE(isUsableSplit({400, 120}, minimums));
    EXPECT_TRUE(isUsableSplit({400, 0}, minimums));   // the tafsir shut
    EXPECT_FALSE(isUsableSplit({30, 500}, minimums)); // the text a line high
    EXPECT_FALSE(isUsableSplit({400, 20}, minimums));
    EXPECT_FALSE(isUsableSplit({0, 500}, minimums));
    EXPECT_FALSE(isUsableSplit({400}, minimums));
}

namespace {
class ReaderSettingsPlaces : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("reader.ini"));
    ReaderPreferences kept = [] {
        ReaderPreferences preferences;
        preferences.theme = ReaderTheme::Sepia;
        preferences.lastAya = 300;
        return preferences;
    }();
};
} // namespace

// A FIFO is never waited on (it held the program forever), and the next
// save puts a regular file in its place.
TEST_F(ReaderSettingsPlaces, AFifoIsNotWaitedOnAndIsReplaced) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    const ReaderPreferences read = ReaderPreferences::load(path);
    EXPECT_EQ(read.lastAya, std::nullopt);
    ASSERT_TRUE(kept.save(path));
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(ReaderPreferences::load(path).lastAya, 300);
}

// A link in the file's place is replaced, and what it pointed to untouched.
TEST_F(ReaderSettingsPlaces, ALinkIsReplacedNotWrittenThrough) {
    const QString target = folder.filePath(QStringLiteral("elsewhere.txt"));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
    file.close();
    ASSERT_TRUE(QFile::link(target, path));
    ASSERT_TRUE(kept.save(path));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(test::fileBytes(target), QByteArray("mine"));
    EXPECT_EQ(ReaderPreferences::load(path).theme, ReaderTheme::Sepia);
    // A dangling link is replaced too.
    const QString dangling = folder.filePath(QStringLiteral("dangling.ini"));
    ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("gone/none")), dangling));
    EXPECT_TRUE(kept.save(dangling));
    EXPECT_TRUE(QFileInfo(dangling).isFile());
}

// A save that cannot happen says why, and leaves the old file whole.
TEST_F(ReaderSettingsPlaces, AFailedSaveSaysWhyAndKeepsTheOldFile) {
    // A folder that is a file cannot hold one (root included).
    QFile blocker(folder.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Done refused = kept.save(folder.filePath(QStringLiteral("file/reader.ini")));
    EXPECT_FALSE(refused);
    EXPECT_FALSE(refused.reason().isEmpty());

    // A full disk: a small file system of the test's own.
    const QString small = folder.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(small));
    if (test::runProgram(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=16k", "tmpfs", small})
            .exitCode != 0) {
        GTEST_SKIP() << "this machine does not let the test mount a small file system";
    }
    const QString onSmall = QDir(small).filePath(QStringLiteral("reader.ini"));
    ASSERT_TRUE(kept.save(onSmall));
    const QByteArray before = test::fileBytes(onSmall);
    ReaderPreferences huge = kept;
    huge.lastAya = 7;
    huge.geometry = QByteArray(1 << 20, 'g');
    EXPECT_FALSE(huge.save(onSmall));
    EXPECT_EQ(test::fileBytes(onSmall), before);
    EXPECT_EQ(QDir(small).entryList(QDir::Files | QDir::Hidden).size(), 1);
    test::runProgram(QStringLiteral("umount"), {small});
}

// The plain copy is the clean text the data package ships (letters without
// marks and tatweel), its pause marks dropped with their blanks.
TEST(PlainCopy, IsThePackagesCleanTextWithoutItsPauseMarks) {
    const nlohmann::json clean = test::readPackageArray(VELMOR_TEST_CLEAN_JSON);
    static const QRegularExpression pause(QStringLiteral("\u00A0?[\u06D6-\u06DC]\u00A0?"));
    static const QRegularExpression blanks(QStringLiteral(" +"));
    int differing = 0;
    for (int id = 1; id <= 6236; ++id) {
        QString expected = QString::fromStdString(clean.at(std::size_t(id - 1)).get<std::string>());
        expected =
            expected.replace(pause, QStringLiteral(" ")).replace(blanks, QStringLiteral(" "));
        if (plainLetters(test::packageAyaText(id)) != expected.trimmed()) {
            ++differing;
            ADD_FAILURE_AT(__FILE__, __LINE__) << "aya " << id;
            if (differing > 3) {
                break;
            }
        }
    }
    EXPECT_EQ(plainLetters(QStringLiteral("لَا إِلَـٰهَ إِلَّا هُوَ الرَّحْمَـٰنُ")),
              QStringLiteral("لا إله إلا هو الرحمن"));
    EXPECT_EQ(plainLetters(QStringLiteral("وَاحِدٌ\u00A0\u06D6 لَّا")), QStringLiteral("واحد لا"));
}

// Every position of a sura's text belongs to the aya whose text or end
// marker holds it, or the blank before it.
TEST(SuraTextPositions, EachPositionNamesItsAya) {
    std::vector<ReaderAya> ayas;
    for (int aya = 1; aya <= 5; ++aya) {
        ayas.push_back({qint64(aya + 7), aya, 2, test::packageAyaText(aya + 7)});
    }
    const SuraText sura = assembleSura(2, std::move(ayas));
    for (const SuraText::Placed& placed : sura.placed) {
        for (const qsizetype at :
             {placed.start, placed.start + placed.length / 2, placed.markerStart,
              placed.markerStart + placed.markerLength - 1}) {
            ASSERT_NE(sura.at(at), nullptr);
            EXPECT_EQ(sura.at(at)->id, placed.id) << at;
        }
    }
    EXPECT_EQ(sura.at(sura.body.size())->id, sura.placed.back().id);
    EXPECT_EQ(SuraText{}.at(0), nullptr);
}
