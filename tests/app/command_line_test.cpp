#include "command_line.h"
#include "search_query.h"

#include <gtest/gtest.h>

using namespace velmor;
using Action = CommandLine::Action;

namespace {

CommandLine parse(const QStringList& arguments) {
    return parseCommandLine(QStringList{QStringLiteral("velmor")} + arguments);
}

} // namespace

TEST(CommandLine, ParsesEachActionAndRefusesWhatDoesNotFit) {
    struct Case {
        QStringList arguments;
        Action action;
    };
    const std::vector<Case> cases{
        {{}, Action::Window},
        {{"--help"}, Action::Help},
        {{"--version"}, Action::Version},
        {{"--search", "الله"}, Action::Search},
        {{"--spans"}, Action::Error},
        {{"--sura", "114"}, Action::ListSura},
        {{"--juz", "30"}, Action::ListJuz},
        {{"--compose-sura", "1"}, Action::ComposeSura},
        {{"--compose", "262, 1"}, Action::ComposeChosen},
        {{"--no-such-option"}, Action::Error},
        {{"--search", "   "}, Action::Error},
        {{"--sura", "115"}, Action::Error},
        {{"--search", "x", "--sura", "2", "--juz", "3"}, Action::Error},
        {{"--search", "x", "--suras", "5"}, Action::Error},
        {{"--suras", "2-5"}, Action::Error},
        {{"--compose", "1,x"}, Action::Error},
    };
    for (const Case& c : cases) {
        const CommandLine command = parse(c.arguments);
        EXPECT_EQ(command.action, c.action) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(command.action == Action::Error, !command.error.isEmpty());
    }
    EXPECT_EQ(parse({"--compose", "262, 1"}).ids, (QList<qint64>{262, 1}));
}

TEST(SearchQuery, ScopeAndModeChooseTheQuery) {
    SearchOptions options;
    // Scopes outside 1..4 search the whole text; an unpicked entry is number 0.
    for (int scope : {0, 5, -1}) {
        options.scope = scope;
        EXPECT_TRUE(composeSearchQuery(QStringLiteral("w"), options)
                        .startsWith(QStringLiteral("SELECT *  FROM Ayat where Ayat.AyaaIndex")));
    }
    options.scope = 1;
    EXPECT_TRUE(composeSearchQuery(QStringLiteral("w"), options).contains(u"chapterNO = 0 "));
    options.sora1 = 1, options.sora2 = 4, options.scope = 4, options.wholeWord = false;
    EXPECT_TRUE(composeSearchQuery(QStringLiteral("w"), options)
                    .contains(u"soraano between 2 and 5 And Ayat.AyaaIndex Like '%w%'"));
}

TEST(SearchText, WhatIsLookedFor) {
    const std::vector<std::pair<QString, QString>> cases{
        {QStringLiteral("  بسم   الله "), QStringLiteral("بسم الله")},
        {QStringLiteral("بسم\u00A0 الله"), QStringLiteral("بسم الله")},
        {QStringLiteral("بسم\0الله\x01"), QStringLiteral("بسمالله")},
        {QStringLiteral("\tالصمد"), QStringLiteral("\tالصمد")},
    };
    for (const auto& [typed, searched] : cases) {
        EXPECT_EQ(searchableText(typed), searched);
    }
    // A text that folds to nothing but blanks looks for nothing.
    for (const QString& text :
         {QString(), QStringLiteral("\u0640"), QStringLiteral("\u064E \u0650")}) {
        EXPECT_TRUE(isEmptySearch(searchableText(text)));
    }
    EXPECT_FALSE(isEmptySearch(QStringLiteral("ب")));
}
