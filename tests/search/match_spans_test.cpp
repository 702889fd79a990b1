#include "match_spans.h"
#include "scripture.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

QList<MatchSpan> spansOf(const QString& text, bool wholeWord, const QString& markedAya) {
    return SpanFinder(text, wholeWord).spans(markedAya);
}

// What a span holds, folded by the tests' own table.
QString foldedSpan(const QString& aya, const MatchSpan& span) {
    const std::u32string text = aya.toStdU32String();
    return QString::fromStdU32String(test::referenceFold(std::u32string_view(text).substr(
        static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.length))));
}

// A span covers whole words: a blank or an end of the text on each side.
bool coversWholeWords(const QString& aya, const MatchSpan& span) {
    const std::u32string text = aya.toStdU32String();
    const auto blankAt = [&text](qsizetype i) {
        return i < 0 || i >= static_cast<qsizetype>(text.size()) ||
               text[static_cast<std::size_t>(i)] == U' ' ||
               text[static_cast<std::size_t>(i)] == 0xA0;
    };
    const qsizetype end = span.start + span.length;
    return blankAt(span.start - 1) && blankAt(end) && !blankAt(span.start) && !blankAt(end - 1);
}

} // namespace

TEST(MatchSpans, OnRealAyas) {
    struct Case {
        const char* name;
        int id;
        QString text;
        bool wholeWord;
        QStringList folded; // what each span holds, folded
    };
    const std::vector<Case> cases{
        {"first word", 1, "بسم", true, {"بسم"}},
        {"last word", 1, "الرحيم", true, {"الرحيم"}},
        {"a phrase that is the whole aya", 6223, "الله الصمد", true, {"الله الصمد"}},
        {"twice, superscript alef and tatweel", 170, "إله", true, {"اله", "اله"}},
        {"inside a longer word: part-of-word mode only", 1, "رحيم", true, {}},
        {"inside a longer word", 1, "رحيم", false, {"رحيم"}},
        {"shadda", 6223, "الصمد", true, {"الصمد"}},
        {"'%' between words", 6223, "الله%الصمد", true, {"الله الصمد"}},
        {"'_' for a letter", 6223, "الص_د", true, {"الصمد"}},
        {"after a no-break space and a pause mark", 262, "لا", true, {"لا", "لا"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString aya = test::packageAyaText(c.id);
        QStringList found;
        for (const MatchSpan& span : spansOf(c.text, c.wholeWord, aya)) {
            found.append(foldedSpan(aya, span));
            if (c.wholeWord) {
                EXPECT_TRUE(coversWholeWords(aya, span)) << span.start << ":" << span.length;
            }
        }
        EXPECT_EQ(found, c.folded);
    }
    // A word twice in a row: each occurrence has its stretch (89:21).
    const auto place = std::find_if(test::packagePlaces().begin(), test::packagePlaces().end(),
                                    [](const auto& p) { return p.sura == 89 && p.aya == 21; });
    const QString twice =
        test::packageAyaText(static_cast<int>(place - test::packagePlaces().begin()) + 1);
    EXPECT_EQ(spansOf(QStringLiteral("دكا"), true, twice).size(), 2);
    // Any blank the searchable form treats as one separates words here too.
    EXPECT_EQ(spansOf(QStringLiteral("بسم الله"), true, QStringLiteral("بسم\tالله")).size(), 1);
    // The marks of the last letter belong to it: "بِسمِ" is highlighted whole.
    EXPECT_EQ(spansOf(QStringLiteral("بسم"), true, test::packageAyaText(1)),
              QList<MatchSpan>{(MatchSpan{0, 5})});
}

TEST(MatchSpans, EveryResultOfAWholeTextSearchHasItsStretches) {
    for (const auto& [text, wholeWord] :
         {std::pair{QStringLiteral("الله"), true}, std::pair{QStringLiteral("من"), true},
          std::pair{QStringLiteral("من"), false}, std::pair{QStringLiteral("رب العالمين"), true},
          std::pair{QStringLiteral("ا"), false}}) {
        const auto ids = test::referenceSearch(text, wholeWord, [](const auto&) { return true; });
        ASSERT_FALSE(ids.isEmpty());
        for (const qint64 id : ids) {
            const QString aya = test::packageAyaText(static_cast<int>(id));
            const QList<MatchSpan> spans = spansOf(text, wholeWord, aya);
            ASSERT_FALSE(spans.isEmpty()) << id;
            for (const MatchSpan& span : spans) {
                ASSERT_EQ(foldedSpan(aya, span), text) << id;
                ASSERT_TRUE(!wholeWord || coversWholeWords(aya, span)) << id;
            }
        }
    }
}
