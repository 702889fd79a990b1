#include "command_line.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace velmor;

namespace {
QStringList args(std::initializer_list<const char*> items) {
    QStringList list{QStringLiteral("velmor")};
    for (const char* item : items) {
        list.append(QString::fromUtf8(item));
    }
    return list;
}
} // namespace

TEST(CommandLine, ChoosesTheAction) {
    EXPECT_EQ(parseCommandLine(args({})).action, CommandLine::Action::Window);
    EXPECT_EQ(parseCommandLine(args({"--help"})).action, CommandLine::Action::Help);
    EXPECT_EQ(parseCommandLine(args({"--version"})).action, CommandLine::Action::Version);
    EXPECT_EQ(parseCommandLine(args({"--no-such-option"})).action, CommandLine::Action::Error);
    EXPECT_EQ(parseCommandLine(args({"stray"})).action, CommandLine::Action::Error);
}

TEST(CommandLine, HelpAndVersionPrintAndExitWithoutAWindow) {
    QProcess version;
    version.start(QStringLiteral(VELMOR_TEST_PROGRAM), {QStringLiteral("--version")});
    ASSERT_TRUE(version.waitForFinished(10000));
    EXPECT_EQ(version.exitCode(), 0);
    EXPECT_EQ(version.readAllStandardOutput(), QByteArray("Velmor 2.5\n"));

    QProcess help;
    help.start(QStringLiteral(VELMOR_TEST_PROGRAM), {QStringLiteral("--help")});
    ASSERT_TRUE(help.waitForFinished(10000));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().contains("--version"));

    QProcess wrong;
    wrong.start(QStringLiteral(VELMOR_TEST_PROGRAM), {QStringLiteral("--no-such-option")});
    ASSERT_TRUE(wrong.waitForFinished(10000));
    EXPECT_NE(wrong.exitCode(), 0);
    EXPECT_TRUE(wrong.readAllStandardError().contains("no-such-option"));
}
