#include "run_program.h"
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace velmor;
using namespace velmor::settings;

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

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("all.txt"));

    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }
};

} // namespace

TEST_F(SettingsFileTest, WrittenWholeWhateverTheLocaleAndReadBack) {
    // A period before the fraction whatever the locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_FALSE(readSettingsFile(path).has_value());
    ASSERT_EQ(writeSettingsFile(path, kBoldTahoma), SaveResult::Saved);
    EXPECT_EQ(test::fileBytes(path), kBoldTahomaLine);
    const DisplayFont arabic{QStringLiteral("خط عربي"), 10.5, true, false};
    ASSERT_EQ(writeSettingsFile(path, arabic), SaveResult::Saved);
    EXPECT_EQ(test::fileBytes(path),
              QByteArray("\"\xCE\xD8 \xDA\xD1\xC8\xED\",10.5,#TRUE#,#FALSE#\r\n"));
    const auto saved = readSettingsFile(path);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->name, arabic.name);
    EXPECT_EQ(saved->pointSize, arabic.pointSize);
    EXPECT_EQ(saved->italic, arabic.italic);
    EXPECT_EQ(saved->bold, arabic.bold);
    EXPECT_EQ(files(), QStringList{QStringLiteral("all.txt")});
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

TEST_F(SettingsFileTest, ANameTheFileCannotHoldIsRefusedAndTheOldFileKept) {
    ASSERT_EQ(writeSettingsFile(path, kBoldTahoma), SaveResult::Saved);
    for (const QString& name : {QStringLiteral("My \"Best\" Font"), QStringLiteral("خط \u2603"),
                                QStringLiteral("Tab\tFont"), QStringLiteral("ئ\u0670")}) {
        EXPECT_EQ(writeSettingsFile(path, {name, 12, false, false}), SaveResult::NameNotStorable)
            << name.toStdString();
        EXPECT_EQ(test::fileBytes(path), kBoldTahomaLine);
    }
    // Names the code page holds are stored, and read back the same.
    for (const QString& name : {QStringLiteral("Noto Naskh Arabic"), QStringLiteral("خط، عربي")}) {
        ASSERT_EQ(writeSettingsFile(path, {name, 10.5, true, true}), SaveResult::Saved);
        EXPECT_EQ(readSettingsFile(path)->name, name);
    }
}

TEST_F(SettingsFileTest, WhatStandsInItsPlaceIsNeitherFollowedNorWaitedOn) {
    // A folder cannot be replaced by a file: the write fails, nothing is left.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("all.txt")));
    EXPECT_EQ(writeSettingsFile(path, kBoldTahoma), SaveResult::WriteFailed);
    EXPECT_EQ(files(), QStringList{});
    EXPECT_FALSE(readSettingsFile(path).has_value());
    // A link is replaced, its target kept.
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("all.txt")));
    const QString target = folder.filePath(QStringLiteral("precious.txt"));
    QFile precious(target);
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly) && precious.write("keep me") == 7);
    precious.close();
    ASSERT_TRUE(QFile::link(target, path));
    ASSERT_EQ(writeSettingsFile(path, kBoldTahoma), SaveResult::Saved);
    EXPECT_EQ(test::fileBytes(target), QByteArray("keep me"));
    EXPECT_EQ(test::fileBytes(path), kBoldTahomaLine);
    // A FIFO is not read: opening it would wait for a writer.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    EXPECT_FALSE(readSettingsFile(path).has_value());
    // A regular file whose read fails (here with EIO) holds no saved font,
    // not an empty one that would turn bold and italic off.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), path));
    EXPECT_FALSE(readSettingsFile(path).has_value());
}

TEST_F(SettingsFileTest, AFullDiskLeavesTheOldFileWhole) {
    const QString mountPoint = folder.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    if (test::runProgram(QStringLiteral("mount"),
                         {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                          QStringLiteral("size=8k"), QStringLiteral("tmpfs"), mountPoint})
            .exitCode != 0) {
        GTEST_SKIP() << "this machine does not let the test mount a small file system";
    }
    const QString onSmall = QDir(mountPoint).filePath(QStringLiteral("all.txt"));
    ASSERT_EQ(writeSettingsFile(onSmall, kBoldTahoma), SaveResult::Saved);
    // Fill what is left of the file system.
    QFile filler(QDir(mountPoint).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, 'x')) > 0) {
    }
    filler.close();
    EXPECT_EQ(
        writeSettingsFile(onSmall, {QStringLiteral("A much longer font name"), 12, true, true}),
        SaveResult::WriteFailed);
    EXPECT_EQ(test::fileBytes(onSmall), kBoldTahomaLine);
    EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files | QDir::Hidden).size(), 2);
    test::runProgram(QStringLiteral("umount"), {mountPoint});
}

TEST_F(SettingsFileTest, WhereTheFileLives) {
    QTemporaryDir user;
    const QString own = user.filePath(QStringLiteral("velmor/all.txt"));
    const QString userFolder = user.filePath(QStringLiteral("velmor"));
    // A writable program folder keeps the file, whatever the user has.
    SettingsPaths paths = settingsPaths(folder.path(), userFolder);
    EXPECT_EQ(paths.read, path);
    EXPECT_EQ(paths.write, path);
    // A program folder that cannot be written: the user's file, once there
    // is one; until then the program folder's file is the starting font.
    const QString readOnly = folder.filePath(QStringLiteral("not-there"));
    paths = settingsPaths(readOnly, userFolder);
    EXPECT_EQ(paths.read, QDir(readOnly).filePath(QStringLiteral("all.txt")));
    EXPECT_EQ(paths.write, own);
    ASSERT_EQ(writeSettingsFile(paths.write, kBoldTahoma), SaveResult::Saved);
    EXPECT_EQ(settingsPaths(readOnly, userFolder).read, own);
}
