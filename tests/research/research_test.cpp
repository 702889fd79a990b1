// A researcher's search over the text and both tafsirs, against the
// generated database, with the data packages searched apart as the oracle.
#include "connection_string.h"
#include "database.h"
#include "record_view.h"
#include "research_export.h"
#include "research_index.h"
#include "scripture.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <set>

using namespace velmor;
using namespace velmor::research;

namespace {

const ResearchIndex& index() {
    static const std::shared_ptr<const ResearchIndex> shared = [] {
        store::Store store;
        store::RecordView view(store);
        view.setConnectionString(store::buildConnectionString(
            QFileInfo(QStringLiteral(VELMOR_TEST_DATABASE)).absolutePath()));
        auto read = ResearchIndex::read(view);
        EXPECT_TRUE(read) << read.reason().toStdString();
        return *read;
    }();
    return *shared;
}

// The IDs of the ayas a query finds in the sources.
QList<qint64> idsOf(const QString& text, std::vector<Source> sources = {Source::Quran},
                    bool partial = false, SearchOptions scope = {}) {
    const Outcome<Query> query = parseQuery(text);
    EXPECT_TRUE(query) << text.toStdString() << ": " << query.reason().toStdString();
    if (!query) {
        return {};
    }
    QList<qint64> ids;
    for (const Hit& hit : index().find({*query, std::move(sources), partial, scope})) {
        const qint64 id = index().ayas()[hit.aya].id;
        if (ids.isEmpty() || ids.last() != id) {
            ids.append(id);
        }
    }
    return ids;
}

QList<qint64> everywhere(const QString& word, bool whole = true) {
    return test::referenceSearch(word, whole, [](const test::AyaPlace&) { return true; });
}

QList<qint64> without(QList<qint64> from, const QList<qint64>& taken) {
    from.removeIf([&](qint64 id) { return taken.contains(id); });
    return from;
}

QList<qint64> both(const QList<qint64>& a, const QList<qint64>& b) {
    QList<qint64> out;
    for (const qint64 id : a) {
        if (b.contains(id)) {
            out.append(id);
        }
    }
    return out;
}

QList<qint64> either(const QList<qint64>& a, const QList<qint64>& b) {
    std::set<qint64> all(a.begin(), a.end());
    all.insert(b.begin(), b.end());
    return {all.begin(), all.end()};
}

// A tafsir searched apart: its text folded by the tests' own fold, split at
// everything that is not a letter, the word looked for among the words.
QList<qint64> inTafsir(const QString& word, QString (*tafsir)(int)) {
    QList<qint64> ids;
    const QString wanted = test::referenceFold(word);
    for (int id = 1; id <= 6236; ++id) {
        QString folded = test::referenceFold(tafsir(id));
        for (QChar& c : folded) {
            if (!c.isLetter()) {
                c = u' ';
            }
        }
        if (folded.split(u' ', Qt::SkipEmptyParts).contains(wanted)) {
            ids.append(id);
        }
    }
    return ids;
}

} // namespace

TEST(ResearchQuery, ReadsTheGrammar) {
    const auto phrase = [](std::initializer_list<const char*> words) {
        Phrase p;
        for (const char* w : words) {
            p.words.append(QString::fromUtf8(w));
        }
        return p;
    };
    EXPECT_EQ(*parseQuery(QStringLiteral("موسى -فرعون")),
              (Query{{Term{{phrase({"موسى"})}}}, {Term{{phrase({"فرعون"})}}}}));
    EXPECT_EQ(
        *parseQuery(QStringLiteral("  \"رب العالمين\"|الرحمن  نور ")),
        (Query{{Term{{phrase({"رب", "العالمين"}), phrase({"الرحمن"})}}, Term{{phrase({"نور"})}}},
               {}}));
    EXPECT_EQ(*parseQuery(QStringLiteral("-\"في الأرض\" الس%")),
              (Query{{Term{{phrase({"الس%"})}}}, {Term{{phrase({"في", "الأرض"})}}}}));
    const std::vector<std::pair<QString, QString>> refused{
        {"", "اكتب كلمة أو عبارة للبحث عنها."},
        {"   ", "اكتب كلمة أو عبارة للبحث عنها."},
        {"\"رب العالمين", "علامة التنصيص غير مغلقة."},
        {"\"\"", "لا شيء بين علامتي التنصيص."},
        {"موسى|", "لا كلمة بعد «|»."},
        {"|موسى", "لا كلمة قبل «|»."},
        {"موسى||هارون", "لا كلمة بعد «|»."},
        {"موسى - فرعون", "علامة الاستثناء «-» لا تتبعها كلمة."},
        {"-فرعون -هامان", "لا يكون البحث باستثناء وحده: اكتب معه كلمة يبحث عنها."},
        {"رب\"العالمين\"", "علامة التنصيص في وسط كلمة: افصل العبارة بمسافة."},
    };
    for (const auto& [text, why] : refused) {
        const Outcome<Query> query = parseQuery(text);
        EXPECT_FALSE(query) << text.toStdString();
        EXPECT_EQ(query.reason(), why) << text.toStdString();
    }
}

TEST(Research, AWordOrPhraseFindsWhatTheSearchFinds) {
    for (const char* word : {"الله", "موسى", "من", "بسم", "إله", "الصلاة"}) {
        const QString w = QString::fromUtf8(word);
        EXPECT_EQ(idsOf(w), everywhere(w)) << word;
        EXPECT_EQ(idsOf(w, {Source::Quran}, true), everywhere(w, false)) << word;
    }
    EXPECT_EQ(idsOf(QStringLiteral("\"رب العالمين\"")), everywhere(QStringLiteral("رب العالمين")));
    EXPECT_EQ(idsOf(QStringLiteral("\"ب العالم\""), {Source::Quran}, true),
              everywhere(QStringLiteral("ب العالم"), false));
}

TEST(Research, CombinesAllAnyAndNone) {
    const QList<qint64> musa = everywhere(QStringLiteral("موسى"));
    const QList<qint64> firawn = everywhere(QStringLiteral("فرعون"));
    const QList<qint64> harun = everywhere(QStringLiteral("هارون"));
    ASSERT_FALSE(musa.isEmpty());
    EXPECT_EQ(idsOf(QStringLiteral("موسى -فرعون")), without(musa, firawn));
    EXPECT_EQ(idsOf(QStringLiteral("موسى فرعون")), both(musa, firawn));
    EXPECT_EQ(idsOf(QStringLiteral("فرعون موسى")), both(musa, firawn));
    EXPECT_EQ(idsOf(QStringLiteral("موسى|هارون")), either(musa, harun));
    EXPECT_EQ(idsOf(QStringLiteral("موسى|هارون -فرعون")), without(either(musa, harun), firawn));
}

TEST(Research, SearchesEachTafsirAsItsOwnText) {
    ASSERT_GT(inTafsir(QStringLiteral("الربا"), test::packageTafsir).size(), 5);
    EXPECT_EQ(idsOf(QStringLiteral("الربا"), {Source::Muyassar}),
              inTafsir(QStringLiteral("الربا"), test::packageTafsir));
    EXPECT_EQ(idsOf(QStringLiteral("الجنة"), {Source::Jalalayn}),
              inTafsir(QStringLiteral("الجنة"), test::packageJalalayn));
    // Several sources: an aya found in any of them, once.
    const QList<qint64> all = idsOf(QStringLiteral("الربا"), {Source::Quran, Source::Muyassar});
    EXPECT_EQ(all, either(everywhere(QStringLiteral("الربا")),
                          inTafsir(QStringLiteral("الربا"), test::packageTafsir)));
}

TEST(Research, KeepsToItsScope) {
    const QList<qint64> all = everywhere(QStringLiteral("الله"));
    const auto placed = [&](const std::function<bool(const test::AyaPlace&)>& keep) {
        QList<qint64> ids;
        for (const qint64 id : all) {
            if (keep(test::packagePlaces()[static_cast<std::size_t>(id - 1)])) {
                ids.append(id);
            }
        }
        return ids;
    };
    SearchOptions juz;
    juz.scope = 1, juz.part = 29;
    EXPECT_EQ(idsOf(QStringLiteral("الله"), {Source::Quran}, false, juz),
              placed([](const test::AyaPlace& p) { return p.juz == 30; }));
    SearchOptions suras;
    suras.scope = 4, suras.sora1 = 1, suras.sora2 = 4;
    EXPECT_EQ(idsOf(QStringLiteral("الله"), {Source::Quran}, false, suras),
              placed([](const test::AyaPlace& p) { return p.sura >= 2 && p.sura <= 5; }));
}

TEST(Research, ItsSpansHoldTheWordsFound) {
    const Outcome<Query> query = parseQuery(QStringLiteral("الربا|\"أكل الربا\""));
    ASSERT_TRUE(query);
    std::size_t spans = 0;
    for (const Hit& hit :
         index().find({*query, {Source::Quran, Source::Muyassar, Source::Jalalayn}, false, {}})) {
        const std::u32string text = index().text(hit.source, hit.aya).toStdU32String();
        for (const MatchSpan& span : hit.spans) {
            ++spans;
            const QString found = test::referenceFold(QString::fromStdU32String(text.substr(
                static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.length))));
            EXPECT_TRUE(found == QStringLiteral("الربا") || found == QStringLiteral("اكل الربا"))
                << found.toStdString();
        }
    }
    EXPECT_GT(spans, 20U);
}

TEST(ResearchExport, WritesCsvForASpreadsheetAndComposesTheAyas) {
    const Outcome<Query> query = parseQuery(QStringLiteral("\"وأحل الله البيع\""));
    ASSERT_TRUE(query);
    const std::vector<Hit> hits =
        index().find({*query, {Source::Quran, Source::Muyassar}, false, {}});
    ASSERT_GE(hits.size(), 1U);
    const QByteArray csv = csvOf(index(), hits);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines =
        QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(static_cast<std::size_t>(lines.size()), hits.size() + 1);
    // A field with a comma is quoted, its quotes doubled.
    for (const Hit& hit : hits) {
        const QString matched = matchedText(index(), hit);
        if (matched.contains(u',') || matched.contains(u'"')) {
            QString quoted = matched;
            quoted.replace(u'"', QStringLiteral("\"\""));
            EXPECT_TRUE(QString::fromUtf8(csv).contains(u'"' + quoted + u'"'));
        }
    }
    EXPECT_EQ(lines[1],
              QStringLiteral("2:275,البقرة,275,القرآن,") + matchedText(index(), hits.front()));
    EXPECT_EQ(test::referenceFold(matchedText(index(), hits.front())),
              QStringLiteral("واحل الله البيع"));
    // The hits' ayas once each, as the compose window gives chosen ayas.
    EXPECT_EQ(composedOf(index(), hits),
              test::packageAyaText(7 + 275) + QStringLiteral(" ( البقرة : 275 )\r\n\r\n"));
}
