#include "command_line.h"
#include "run_program.h"
#include "scripture.h"
#include "search_query.h"

#include <gtest/gtest.h>

using namespace velmor;
using Action = CommandLine::Action;

namespace {

CommandLine parse(const QStringList& arguments) {
    return parseCommandLine(QStringList{QStringLiteral("velmor")} + arguments);
}

// Each action carries its own value and no other.
bool holdsItsOwnValue(const CommandLine& command) {
    const auto& value = command.value;
    switch (command.action) {
    case Action::Window:
    case Action::Version:
        return std::holds_alternative<std::monostate>(value);
    case Action::Help:
    case Action::Error:
        return std::holds_alternative<QString>(value) && !command.text().isEmpty();
    case Action::Search:
        return std::holds_alternative<CommandLine::SearchRequest>(value);
    case Action::Find:
        return std::holds_alternative<CommandLine::FindRequest>(value);
    case Action::SavePdf:
    case Action::SaveImage:
        return std::holds_alternative<CommandLine::PrintRequest>(value) &&
               !command.printing().file.isEmpty();
    case Action::ListSura:
    case Action::ListJuz:
    case Action::ListPage:
    case Action::ComposeSura:
        return std::holds_alternative<int>(value);
    case Action::ComposeChosen:
        return std::holds_alternative<QList<qint64>>(value);
    case Action::PrintAya:
    case Action::PrintTafsir:
    case Action::Similar:
        return std::holds_alternative<CommandLine::AyaRequest>(value);
    case Action::Bookmark:
    case Action::Unbookmark:
    case Action::SetNote:
        return std::holds_alternative<CommandLine::LibraryRequest>(value);
    case Action::Export:
    case Action::Import:
    case Action::Verify:
        return std::holds_alternative<QString>(value) && !command.text().isEmpty();
    case Action::ListBookmarks:
    case Action::ListNotes:
    case Action::ListHistory:
        return std::holds_alternative<std::monostate>(value);
    }
    return false;
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
        {{"--aya", "البقرة 255"}, Action::PrintAya},
        {{"--tafsir", "2:255", "--source", "jalalayn"}, Action::PrintTafsir},
        {{"--page", "604"}, Action::ListPage},
        {{"--aya", "2:287"}, Action::Error},
        {{"--tafsir", "1:1", "--source", "other"}, Action::Error},
        {{"--aya", "1:1", "--source", "jalalayn"}, Action::Error},
        {{"--page", "0"}, Action::Error},
        // Actions exclude each other and take no search options.
        {{"--compose", "5", "--search", "الله", "--sura", "112"}, Action::Error},
        {{"--compose-sura", "1", "--compose", "1"}, Action::Error},
        {{"--aya", "1:1", "--page", "2"}, Action::Error},
        {{"--page", "2", "--sura", "2"}, Action::Error},
        {{"--compose", "5", "--partial"}, Action::Error},
        // The reader's library.
        {{"--bookmark", "2:255"}, Action::Bookmark},
        {{"--bookmark", "البقرة 255", "--label", "آية الكرسي", "--collection", "حفظ"},
         Action::Bookmark},
        {{"--bookmark", "2:287"}, Action::Error},
        {{"--bookmark", "1:1", "--collection", "  "}, Action::Error},
        {{"--unbookmark", "1:1", "--collection", "حفظ"}, Action::Unbookmark},
        {{"--unbookmark", "1:1", "--label", "x"}, Action::Error},
        {{"--label", "x"}, Action::Error},
        {{"--bookmarks"}, Action::ListBookmarks},
        {{"--note", "1:1", "نص"}, Action::SetNote},
        {{"--note", "1:1", ""}, Action::SetNote},
        {{"--note", "1:1"}, Action::Error},
        {{"--note", "1:1", "a", "b"}, Action::Error},
        {{"--notes", "stray"}, Action::Error},
        {{"--notes"}, Action::ListNotes},
        {{"--export", "out.json"}, Action::Export},
        {{"--export", ""}, Action::Error},
        {{"--import", "in.json"}, Action::Import},
        {{"--history"}, Action::ListHistory},
        {{"--history", "--bookmarks"}, Action::Error},
        // Every number in Arabic-Indic or Persian digits, as --aya takes them.
        {{"--sura", "٢"}, Action::ListSura},
        {{"--juz", "٣٠"}, Action::ListJuz},
        {{"--page", "٦٠٤"}, Action::ListPage},
        {{"--search", "الله", "--suras", "١-٣"}, Action::Search},
        {{"--search", "الله", "--juzs", "۲-۹"}, Action::Search},
        {{"--compose-sura", "١١٤"}, Action::ComposeSura},
        {{"--compose", "۲۶۲,١"}, Action::ComposeChosen},
        {{"--juz", "٣١"}, Action::Error},
        // An option given twice is refused, not read as its last value.
        {{"--aya", "1:1", "--aya", "2:2"}, Action::Error},
        {{"--tafsir", "1:1", "--source", "jalalayn", "--source", "muyassar"}, Action::Error},
        {{"--search", "الله", "--partial", "--partial"}, Action::Error},
        {{"--aya", "-1"}, Action::Error},
        {{"--aya", ":2"}, Action::Error},
    };
    for (const Case& c : cases) {
        const CommandLine command = parse(c.arguments);
        EXPECT_EQ(command.action, c.action) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(holdsItsOwnValue(command)) << c.arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(parse({"--compose", "262, 1"}).ids(), (QList<qint64>{262, 1}));
    EXPECT_EQ(parse({"--compose", "۲۶۲,١"}).ids(), (QList<qint64>{262, 1}));
    EXPECT_EQ(parse({"--sura", "١١٤"}).number(), 114);
    const CommandLine range = parse({"--search", "الله", "--suras", "١-٣"});
    EXPECT_EQ(std::tuple(range.search().options.scope, range.search().options.sora1,
                         range.search().options.sora2),
              std::tuple(4, 0, 2));
}

TEST(CommandLine, PrintsExactlyTheStoredDataAndFailsOnEveryBadInput) {
    const test::ProgramRun aya = test::runVelmor({"--aya", "٢:٢٥٥"});
    EXPECT_EQ(aya.exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(aya.out), test::packageAyaText(262) + u'\n');
    const test::ProgramRun tafsir = test::runVelmor({"--tafsir", "البقرة:255"});
    EXPECT_EQ(QString::fromUtf8(tafsir.out), test::packageTafsir(262) + u'\n');
    const test::ProgramRun jalalayn =
        test::runVelmor({"--tafsir", "الأعراف 1", "--source", "jalalayn"});
    EXPECT_EQ(QString::fromUtf8(jalalayn.out), test::packageJalalayn(955) + u'\n');
    const test::ProgramRun page = test::runVelmor({"--page", "1"});
    EXPECT_EQ(page.lines(), (QStringList{"الفاتحة : 1", "الفاتحة : 2", "الفاتحة : 3", "الفاتحة : 4",
                                         "الفاتحة : 5", "الفاتحة : 6", "الفاتحة : 7", "7"}));
    // The last sura's lines carry its name too.
    EXPECT_EQ(test::runVelmor({"--page", "604"}).lines().value(14), QStringLiteral("الناس : 6"));
    for (const QStringList& bad : {QStringList{"--aya", "الناس 7"},
                                   {"--tafsir", "1:1", "--source", "tabari"},
                                   {"--page", "605"},
                                   {"--page", "x"},
                                   {"--aya", "1:1", "--search", "الله"}}) {
        const test::ProgramRun run = test::runVelmor(bad);
        EXPECT_EQ(run.exitCode, 2) << bad.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
}

TEST(CommandLine, AnOutputThatCannotBeWrittenIsAFailure) {
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(VELMOR_TEST_PROGRAM),
                  {QStringLiteral("--search"), QStringLiteral("الله")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
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
