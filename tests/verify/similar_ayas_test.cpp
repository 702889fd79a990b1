// The ayas that resemble each other, against the generated database, with
// an alignment written apart from the program's as the oracle.
#include "similar_ayas.h"
#include "verify_format.h"
#include "verify_support.h"

#include <algorithm>
#include <random>

using namespace velmor;
using namespace velmor::verify;

namespace {

const SimilarAyas& similar() {
    static const SimilarAyas shared(test::programWords());
    return shared;
}

QStringList refsOf(const std::vector<SimilarAya>& found) {
    QStringList refs;
    for (const SimilarAya& aya : found) {
        const auto& place = similar().quran().aya(aya.aya);
        refs.append(QStringLiteral("%1:%2").arg(place.sura).arg(place.aya));
    }
    return refs;
}

// The longest run of words two ayas share in order, by the package's
// folded words.
std::size_t commonWords(std::size_t a, std::size_t b) {
    const auto& x = test::packageWords()[a];
    const auto& y = test::packageWords()[b];
    std::vector<std::size_t> row(y.size() + 1, 0);
    for (std::size_t i = 1; i <= x.size(); ++i) {
        std::size_t diagonal = 0;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                x[i - 1].folded == y[j - 1].folded ? diagonal + 1 : std::max(row[j], row[j - 1]);
            diagonal = above;
        }
    }
    return row[y.size()];
}

// The rule itself, applied to every other aya: at least three words shared
// in order, at least three in five of the longer aya's.
QStringList referenceSimilar(std::size_t a) {
    std::vector<std::pair<double, std::size_t>> found;
    const std::size_t length = test::packageWords()[a].size();
    for (std::size_t b = 0; b < 6236; ++b) {
        const std::size_t other = test::packageWords()[b].size();
        const std::size_t longer = std::max(length, other);
        if (b == a || std::min(length, other) * 5 < longer * 3) {
            continue;
        }
        const std::size_t same = commonWords(a, b);
        if (same >= 3 && same * 5 >= longer * 3) {
            found.emplace_back(-static_cast<double>(same) / static_cast<double>(longer), b);
        }
    }
    std::sort(found.begin(), found.end());
    QStringList refs;
    for (const auto& [score, b] : found) {
        const auto& place = test::packagePlaces()[b];
        refs.append(QStringLiteral("%1:%2").arg(place.sura).arg(place.aya));
    }
    return refs;
}

} // namespace

TEST(SimilarAyas, FindTheClassicPairsAndTheRefrains) {
    struct Case {
        int sura, aya;
        QString first; // the most similar
        int count;     // how many in all (-1: at least one)
    };
    // 77:15 is said ten times: nine more in its sura, and 83:10.
    const std::vector<Case> cases{
        {2, 35, "7:19", 1},    {7, 19, "2:35", 1},      {2, 58, "7:161", -1},
        {2, 62, "5:69", -1},   {5, 69, "2:62", -1},     {55, 13, "55:16", 30},
        {77, 15, "77:19", 10}, {26, 108, "26:110", -1}, {54, 17, "54:22", -1},
        {2, 49, "7:141", -1},
    };
    for (const Case& c : cases) {
        const auto found = similar().of(test::ayaIndex(c.sura, c.aya));
        ASSERT_FALSE(found.empty()) << c.sura << ":" << c.aya;
        EXPECT_EQ(refsOf(found).front(), c.first) << c.sura << ":" << c.aya;
        if (c.count >= 0) {
            EXPECT_EQ(static_cast<int>(found.size()), c.count) << c.sura << ":" << c.aya;
        }
    }
    // The refrains are identical, word for word.
    for (const SimilarAya& aya : similar().of(test::ayaIndex(55, 13))) {
        EXPECT_TRUE(aya.identical);
        EXPECT_EQ(aya.similarity, 1.0);
    }
}

TEST(SimilarAyas, AnAyaWithNoTwinHasNone) {
    for (const auto& [sura, aya] : std::vector<std::pair<int, int>>{
             {2, 255}, {1, 1}, {112, 1}, {2, 282}, {108, 1}, {96, 1}}) {
        EXPECT_EQ(refsOf(similar().of(test::ayaIndex(sura, aya))), QStringList())
            << sura << ":" << aya;
    }
    // Two words shared are not a kinship, even when alike (الم).
    EXPECT_EQ(similar().of(test::ayaIndex(2, 1)).size(), 0U);
}

TEST(SimilarAyas, AgreeWithTheRuleAppliedToEveryOtherAya) {
    std::mt19937 random(2026);
    std::vector<std::size_t> sample{test::ayaIndex(2, 35), test::ayaIndex(2, 58),
                                    test::ayaIndex(26, 108), test::ayaIndex(37, 80)};
    for (int k = 0; k < 40; ++k) {
        sample.push_back(random() % 6236);
    }
    for (const std::size_t a : sample) {
        const auto found = similar().of(a);
        QStringList refs = refsOf(found);
        QStringList expected = referenceSimilar(a);
        // Order by similarity; ties in reading order on both sides.
        EXPECT_EQ(refs, expected) << "aya ID " << a + 1;
    }
}

TEST(SimilarAyas, AreSymmetricAndTheirStepsRebuildTheOtherAya) {
    const QuranWords& quran = similar().quran();
    std::size_t pairs = 0;
    for (std::size_t a = 0; a < quran.ayas().size(); ++a) {
        for (const SimilarAya& other : similar().of(a)) {
            ++pairs;
            const auto back = similar().of(other.aya);
            ASSERT_TRUE(std::any_of(back.begin(), back.end(),
                                    [&](const SimilarAya& s) { return s.aya == a; }))
                << "aya ID " << a + 1 << " and " << other.aya + 1;
            QStringList rebuilt;
            QStringList from;
            for (const AlignedStep& step : other.steps) {
                if (step.kind != AlignedStep::Missing) {
                    from.append(
                        quran.marked(quran.aya(a).first + static_cast<std::size_t>(step.a)));
                }
                if (step.kind != AlignedStep::Added) {
                    rebuilt.append(quran.marked(quran.aya(other.aya).first +
                                                static_cast<std::size_t>(step.b)));
                }
            }
            QStringList expected;
            for (const test::PackageWord& word : test::packageWords()[other.aya]) {
                expected.append(word.marked);
            }
            QStringList given;
            for (const test::PackageWord& word : test::packageWords()[a]) {
                given.append(word.marked);
            }
            ASSERT_EQ(rebuilt, expected);
            ASSERT_EQ(from, given);
        }
    }
    EXPECT_GT(pairs, 1000U);
}

TEST(SimilarAyas, MarkTheWordsThatDiffer) {
    const std::size_t a = test::ayaIndex(2, 35);
    const auto found = similar().of(a);
    ASSERT_EQ(found.size(), 1U);
    QStringList slips;
    for (const Slip& slip : differences(similar().quran(), a, found.front())) {
        slips.append(slipText(slip));
    }
    // 2:35 "وقلنا يا آدم ... وكلا منها رغدا حيث" against 7:19 "ويا آدم ...
    // فكلا من حيث".
    EXPECT_EQ(slips, QStringList({"-وَقُلنا", "يا>وَيا", "وَكُلا>فَكُلا", "مِنها>مِن", "-رَغَدًا"}));
}
