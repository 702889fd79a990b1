#include "settings_file.h"
#include "windows1256.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>

using namespace velmor;
using namespace velmor::settings;

TEST(Windows1256, ArabicRoundTripsAndUnknownCharactersBecomeQuestionMarks) {
    const QString arabic = QStringLiteral("خط عربي، ؟ ـ ً");
    EXPECT_EQ(decodeWindows1256(encodeWindows1256(arabic)), arabic);
    EXPECT_EQ(encodeWindows1256(QStringLiteral("ع")), QByteArray("\xDA"));
    EXPECT_EQ(encodeWindows1256(QStringLiteral("a\u0670b\U0001F600")), QByteArray("a?b?"));
    EXPECT_EQ(decodeWindows1256(QByteArray("\x80\xFF")), QStringLiteral("\u20AC\u06D2"));
}

TEST(SettingsLine, ExactBytes) {
    EXPECT_EQ(formatSettingsLine({QStringLiteral("Tahoma"), 14, false, true}),
              QByteArray("\"Tahoma\",14,#FALSE#,#TRUE#\r\n"));
    EXPECT_EQ(formatSettingsLine({QStringLiteral("Amiri"), 11.25, true, false}),
              QByteArray("\"Amiri\",11.25,#TRUE#,#FALSE#\r\n"));
}

TEST(SettingsLine, FractionalSizeUsesAPeriodWhateverTheLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* cLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(formatSettingsLine({QStringLiteral("Tahoma"), 10.5, false, false}),
              QByteArray("\"Tahoma\",10.5,#FALSE#,#FALSE#\r\n"));
    EXPECT_EQ(parseSettingsLine("\"Tahoma\",10.5,#FALSE#,#FALSE#\r\n").pointSize, 10.5);
    QLocale::setDefault(previous);
    if (cLocale) {
        std::setlocale(LC_NUMERIC, "C");
    }
}

TEST(SettingsLine, ReadsWhatItWrites) {
    const DisplayFont font{QStringLiteral("خط عربي"), 16, true, true};
    const SavedFont saved = parseSettingsLine(formatSettingsLine(font));
    EXPECT_EQ(saved.name, font.name);
    EXPECT_EQ(saved.pointSize, 16);
    EXPECT_EQ(saved.italic, true);
    EXPECT_EQ(saved.bold, true);
}

TEST(SettingsLine, UnusableFieldsAreLeftOut) {
    const SavedFont zero = parseSettingsLine("\"Tahoma\",0,#TRUE#,#TRUE#\r\n");
    EXPECT_EQ(zero.name, QStringLiteral("Tahoma"));
    EXPECT_FALSE(zero.pointSize.has_value());
    EXPECT_EQ(zero.bold, true);
    EXPECT_FALSE(parseSettingsLine("\"Tahoma\",5000,#TRUE#,#TRUE#").pointSize.has_value());
    EXPECT_FALSE(parseSettingsLine("\"Tahoma\",1e400,#TRUE#,#TRUE#").pointSize.has_value());
    EXPECT_FALSE(parseSettingsLine("\"Tahoma\",12,yes,#TRUE#").italic.has_value());

    const SavedFont shortLine = parseSettingsLine("\"Tahoma\",16");
    EXPECT_EQ(shortLine.pointSize, 16);
    EXPECT_FALSE(shortLine.italic.has_value());
    EXPECT_FALSE(shortLine.bold.has_value());

    const SavedFont garbage = parseSettingsLine(QByteArray("\x00\xFF\"\x01,,,\xFE", 9));
    EXPECT_FALSE(garbage.name.has_value());
    EXPECT_FALSE(garbage.pointSize.has_value());
    EXPECT_FALSE(parseSettingsLine("").name.has_value());
}

TEST(SettingsLine, ApplyingKeepsTheDesignedPartsOfUnusableFields) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(11.25);
    font.setItalic(true);
    applySavedFont(parseSettingsLine("\"\",5000"), font);
    EXPECT_EQ(font.family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(font.pointSizeF(), 11.25);
    EXPECT_FALSE(font.italic()); // a missing italic turns it off
    EXPECT_FALSE(font.bold());
}

TEST(SettingsFile, WrittenAtomicallyAndReadBack) {
    QTemporaryDir folder;
    EXPECT_FALSE(readSettingsFile(folder.path()).has_value());
    ASSERT_TRUE(writeSettingsFile(folder.path(), {QStringLiteral("Tahoma"), 14, false, true}));
    QFile file(settingsFilePath(folder.path()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"Tahoma\",14,#FALSE#,#TRUE#\r\n"));
    EXPECT_EQ(readSettingsFile(folder.path())->pointSize, 14);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("all.txt")});
}

TEST(SettingsFile, AFailedWriteReportsFalseAndLeavesNothingBehind) {
    QTemporaryDir folder;
    // all.txt standing as a folder cannot be replaced by a file.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("all.txt")));
    EXPECT_FALSE(writeSettingsFile(folder.path(), {QStringLiteral("Tahoma"), 14, false, true}));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_FALSE(readSettingsFile(folder.path()).has_value());
    // A program folder that does not exist.
    EXPECT_FALSE(writeSettingsFile(folder.filePath(QStringLiteral("missing")),
                                   {QStringLiteral("Tahoma"), 14, false, true}));
}

TEST(SettingsFile, RewritingReplacesTheWholeFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(writeSettingsFile(folder.path(),
                                  {QStringLiteral("A long font name here"), 14, false, true}));
    ASSERT_TRUE(writeSettingsFile(folder.path(), {QStringLiteral("B"), 9, true, false}));
    QFile file(settingsFilePath(folder.path()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"B\",9,#TRUE#,#FALSE#\r\n"));
}
