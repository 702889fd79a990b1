// The command line's research, run as a reader runs it.
#include "run_program.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>

using namespace velmor;

TEST(FindCommand, AWordAloneInTheTextPrintsWhatSearchPrints) {
    const std::vector<std::pair<QStringList, QStringList>> same{
        {{"--find", "الله"}, {"--search", "الله"}},
        {{"--find", "\"رب العالمين\""}, {"--search", "رب العالمين"}},
        {{"--find", "نور", "--partial"}, {"--search", "نور", "--partial"}},
        {{"--find", "موسى", "--sura", "7"}, {"--search", "موسى", "--sura", "7"}},
        {{"--find", "الله", "--juzs", "29-30"}, {"--search", "الله", "--juzs", "29-30"}},
    };
    for (const auto& [find, search] : same) {
        const test::ProgramRun found = test::runVelmor(find);
        const test::ProgramRun searched = test::runVelmor(search);
        ASSERT_EQ(found.exitCode, 0) << found.err.toStdString();
        EXPECT_GT(found.lines().size(), 1);
        EXPECT_EQ(found.out, searched.out) << find.join(u' ').toStdString();
    }
}

TEST(FindCommand, PrintsHitsAsTsvJsonAndCounts) {
    const QStringList query{"--find", "الربا", "--in", "quran,muyassar,jalalayn"};
    const test::ProgramRun tsv = test::runVelmor(query + QStringList{"--format", "tsv"});
    ASSERT_EQ(tsv.exitCode, 0) << tsv.err.toStdString();
    const test::ProgramRun json = test::runVelmor(query + QStringList{"--format", "json"});
    ASSERT_EQ(json.exitCode, 0);
    const auto hits = nlohmann::json::parse(json.out.toStdString());
    const QStringList lines = tsv.lines();
    ASSERT_EQ(static_cast<std::size_t>(lines.size()), hits.size());
    ASSERT_GT(lines.size(), 10);
    std::set<qint64> ayas;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QStringList fields = lines[k].split(u'\t');
        ASSERT_EQ(fields.size(), 5) << lines[k].toStdString();
        const auto& hit = hits[static_cast<std::size_t>(k)];
        EXPECT_EQ(fields[0].toLongLong(), hit["id"].get<qint64>());
        EXPECT_EQ(fields[1].toInt(), hit["sura"].get<int>());
        EXPECT_EQ(fields[2].toInt(), hit["aya"].get<int>());
        EXPECT_EQ(fields[3].toStdString(), hit["source"].get<std::string>());
        QStringList spans;
        for (const auto& span : hit["spans"]) {
            spans.append(QStringLiteral("%1:%2").arg(span[0].get<int>()).arg(span[1].get<int>()));
        }
        EXPECT_EQ(fields[4], spans.join(u' '));
        ayas.insert(fields[0].toLongLong());
    }
    // The json's fields in their documented order.
    EXPECT_TRUE(json.out.startsWith("[{\"id\":")) << json.out.left(40).toStdString();
    // Counted by sura: one line per sura, ascending, then the ayas.
    const QStringList counts = test::runVelmor(query + QStringList{"--count-by", "sura"}).lines();
    ASSERT_GT(counts.size(), 1);
    EXPECT_EQ(counts.last().toULongLong(), ayas.size());
    int sum = 0;
    int previous = 0;
    for (qsizetype k = 0; k + 1 < counts.size(); ++k) {
        const QStringList fields = counts[k].split(u'\t');
        ASSERT_EQ(fields.size(), 2);
        EXPECT_GT(fields[0].toInt(), previous);
        previous = fields[0].toInt();
        sum += fields[1].toInt();
    }
    EXPECT_EQ(static_cast<std::size_t>(sum), ayas.size());
}

TEST(FindCommand, RefusesWhatItCannotUnderstandInOneLine) {
    const std::vector<QStringList> bad{
        {"--find", "\"رب العالمين"},
        {"--find", "-فرعون"},
        {"--find", "موسى|"},
        {"--find", "موسى", "--in", "tafsir"},
        {"--find", "موسى", "--format", "xml"},
        {"--find", "موسى", "--count-by", "page"},
        {"--in", "quran"},
    };
    for (const QStringList& arguments : bad) {
        const test::ProgramRun run = test::runVelmor(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
}
