#include "run_program.h"
#include "settings_file.h"
#include "windows1256.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace velmor;
using namespace velmor::settings;

TEST(Windows1256, ArabicRoundTripsAndUnknownCharactersBecomeQuestionMarks) {
    const QString arabic = QStringLiteral("خط عربي، ؟ ـ ً");
    EXPECT_EQ(decodeWindows1256(encodeWindows1256(arabic)), arabic);
    EXPECT_EQ(encodeWindows1256(QStringLiteral("ع")), QByteArray("\xDA"));
    EXPECT_EQ(encodeWindows1256(QStringLiteral("a\u0670b\U0001F600")), QByteArray("a?b?"));
    EXPECT_EQ(decodeWindows1256(QByteArray("\x80\xFF")), QStringLiteral("\u20AC\u06D2"));
}

TEST(SettingsLine, UnusableFieldsAreLeftOut) {
    struct Case {
        QByteArray line;
        bool name, size, italic, bold;
    };
    const std::vector<Case> cases{
        {"\"Tahoma\",0,#TRUE#,#TRUE#\r\n", true, false, true, true},
        {"\"Tahoma\",5000,#TRUE#,#TRUE#", true, false, true, true},
        {"\"Tahoma\",1e400,#TRUE#,#TRUE#", true, false, true, true},
        {"\"Tahoma\",12,yes,#TRUE#", true, true, false, true},
        {"\"Tahoma\",16", true, true, false, false},
        {"Tahoma,16,#TRUE#,#TRUE#", false, true, true, true},
        {QByteArray("\x00\xFF\"\x01,,,\xFE", 9), false, false, false, false},
        {"", false, false, false, false},
    };
    for (const Case& c : cases) {
        const SavedFont saved = parseSettingsLine(c.line);
        EXPECT_EQ(saved.name.has_value(), c.name) << c.line.toStdString();
        EXPECT_EQ(saved.pointSize.has_value(), c.size) << c.line.toStdString();
        EXPECT_EQ(saved.italic.has_value(), c.italic) << c.line.toStdString();
        EXPECT_EQ(saved.bold.has_value(), c.bold) << c.line.toStdString();
    }
}

namespace {

const DisplayFont kBoldTahoma{QStringLiteral("Tahoma"), 14, false, true};
const QByteArray kBoldTahomaLine("\"Tahoma\",14,#FALSE#,#TRUE#\r\n");

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Runs a command, true when it succeeded.
bool run(const QString& program, const QStringList& arguments) {
    return test::runProgram(program, arguments).exitCode == 0;
}

} // namespace

TEST(SettingsFile, WrittenWholeWhateverTheLocaleAndReadBack) {
    // A period before the fraction whatever the locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("all.txt"));
    EXPECT_FALSE(readSettingsFile(path).has_value());
    ASSERT_EQ(writeSettingsFile(path, kBoldTahoma), SaveResult::Saved);
    EXPECT_EQ(contents(path), kBoldTahomaLine);
    const DisplayFont arabic{QStringLiteral("خط عربي"), 10.5, true, false};
    ASSERT_EQ(writeSettingsFile(path, arabic), SaveResult::Saved);
    EXPECT_EQ(contents(path), QByteArray("\"\xCE\xD8 \xDA\xD1\xC8\xED\",10.5,#TRUE#,#FALSE#\r\n"));
    const auto saved = readSettingsFile(path);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->name, arabic.name);
    EXPECT_EQ(saved->pointSize, arabic.pointSize);
    EXPECT_EQ(saved->italic, arabic.italic);
    EXPECT_EQ(saved->bold, arabic.bold);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("all.txt")});
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

TEST(SettingsFile, ANameTheFileCannotHoldIsRefusedAndTheOldFileKept) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("all.txt"));
    ASSERT_EQ(writeSettingsFile(path, kBoldTahoma), SaveResult::Saved);
    for (const QString& name : {QStringLiteral("My \"Best\" Font"), QStringLiteral("خط \u2603"),
                                QStringLiteral("Tab\tFont"), QStringLiteral("ئ\u0670")}) {
        EXPECT_EQ(writeSettingsFile(path, {name, 12, false, false}), SaveResult::NameNotStorable)
            << name.toStdString();
        EXPECT_EQ(contents(path), kBoldTahomaLine);
    }
    // Names the code page holds are stored, and read back the same.
    for (const QString& name : {QStringLiteral("Noto Naskh Arabic"), QStringLiteral("خط، عربي")}) {
        ASSERT_EQ(writeSettingsFile(path, {name, 10.5, true, true}), SaveResult::Saved);
        EXPECT_EQ(readSettingsFile(path)->name, name);
    }
}

TEST(SettingsFile, AFailedWriteIsReportedAndLeavesNothingBehind) {
    QTemporaryDir folder;
    // all.txt standing as a folder cannot be replaced by a file.
    const QString path = folder.filePath(QStringLiteral("all.txt"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("all.txt")));
    EXPECT_EQ(writeSettingsFile(path, kBoldTahoma), SaveResult::WriteFailed);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_FALSE(readSettingsFile(path).has_value());
}

TEST(SettingsFile, AFullDiskLeavesTheOldFileWhole) {
    QTemporaryDir folder;
    const QString mountPoint = folder.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    if (!run(QStringLiteral("mount"),
             {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
              QStringLiteral("size=8k"), QStringLiteral("tmpfs"), mountPoint})) {
        GTEST_SKIP() << "this machine does not let the test mount a small file system";
    }
    const QString path = QDir(mountPoint).filePath(QStringLiteral("all.txt"));
    ASSERT_EQ(writeSettingsFile(path, kBoldTahoma), SaveResult::Saved);
    // Fill what is left of the file system.
    QFile filler(QDir(mountPoint).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, 'x')) > 0) {
    }
    filler.close();
    EXPECT_EQ(writeSettingsFile(path, {QStringLiteral("A much longer font name"), 12, true, true}),
              SaveResult::WriteFailed);
    EXPECT_EQ(contents(path), kBoldTahomaLine);
    EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files | QDir::Hidden).size(), 2);
    run(QStringLiteral("umount"), {mountPoint});
}

TEST(SettingsFile, ALinkInItsPlaceIsReplacedNotFollowed) {
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("precious.txt"));
    QFile precious(target);
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly) && precious.write("keep me") == 7);
    precious.close();
    const QString path = folder.filePath(QStringLiteral("all.txt"));
    ASSERT_TRUE(QFile::link(target, path));
    ASSERT_EQ(writeSettingsFile(path, kBoldTahoma), SaveResult::Saved);
    EXPECT_EQ(contents(target), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(contents(path), kBoldTahomaLine);
}

TEST(SettingsFile, OnlyARegularFileIsRead) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("all.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    // Opening a FIFO for reading would block until a writer came.
    EXPECT_FALSE(readSettingsFile(fifo).has_value());
    EXPECT_FALSE(readSettingsFile(folder.path()).has_value());
}

TEST(SettingsFile, WhereTheFileLives) {
    QTemporaryDir program;
    QTemporaryDir user;
    const QString beside = program.filePath(QStringLiteral("all.txt"));
    const QString own = user.filePath(QStringLiteral("velmor/all.txt"));
    const QString userFolder = user.filePath(QStringLiteral("velmor"));
    // A writable program folder keeps the file, whatever the user has.
    SettingsPaths paths = settingsPaths(program.path(), userFolder);
    EXPECT_EQ(paths.read, beside);
    EXPECT_EQ(paths.write, beside);

    // A program folder that cannot be written: the user's file, once there
    // is one; until then the program folder's file is the starting font.
    const QString readOnly = program.filePath(QStringLiteral("not-there"));
    paths = settingsPaths(readOnly, userFolder);
    EXPECT_EQ(paths.read, QDir(readOnly).filePath(QStringLiteral("all.txt")));
    EXPECT_EQ(paths.write, own);
    ASSERT_EQ(writeSettingsFile(paths.write, kBoldTahoma), SaveResult::Saved);
    paths = settingsPaths(readOnly, userFolder);
    EXPECT_EQ(paths.read, own);
}
