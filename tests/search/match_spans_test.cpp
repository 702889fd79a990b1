#include "arabic_fold.h"
#include "match_spans.h"
#include "scripture.h"

#include <gtest/gtest.h>

using namespace velmor;

namespace {

// The code points of a span, folded as the search folds them.
QString foldedSpan(const QString& aya, const MatchSpan& span) {
    const std::u32string text = aya.toStdU32String();
    const std::u32string part =
        text.substr(static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.length));
    return QString::fromStdString(store::foldUtf8(QString::fromStdU32String(part).toStdString()));
}

bool isBlank(char32_t c) {
    return c == U' ' || c == 0x00A0;
}

// A span covers whole words: blanks or the text's ends on both sides.
bool coversWholeWords(const QString& aya, const MatchSpan& span) {
    const std::u32string text = aya.toStdU32String();
    const auto start = static_cast<std::size_t>(span.start);
    const auto end = static_cast<std::size_t>(span.start + span.length);
    return (start == 0 || isBlank(text[start - 1])) && (end == text.size() || isBlank(text[end])) &&
           !isBlank(text[start]) && !isBlank(text[end - 1]);
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
        for (const MatchSpan& span : matchSpans(c.text, c.wholeWord, aya)) {
            found.append(foldedSpan(aya, span));
            if (c.wholeWord) {
                EXPECT_TRUE(coversWholeWords(aya, span)) << span.start << ":" << span.length;
            }
        }
        EXPECT_EQ(found, c.folded);
    }
    // The marks of the last letter belong to it: "بِسمِ" is highlighted whole.
    EXPECT_EQ(matchSpans(QStringLiteral("بسم"), true, test::packageAyaText(1)),
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
            const QList<MatchSpan> spans = matchSpans(text, wholeWord, aya);
            ASSERT_FALSE(spans.isEmpty()) << id;
            for (const MatchSpan& span : spans) {
                ASSERT_EQ(foldedSpan(aya, span), text) << id;
                ASSERT_TRUE(!wholeWord || coversWholeWords(aya, span)) << id;
            }
        }
    }
}
