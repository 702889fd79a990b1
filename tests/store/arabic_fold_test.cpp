#include "arabic_fold.h"
#include "jet_like.h"

#include <gtest/gtest.h>

using velmor::store::foldUtf8;
using velmor::store::isFoldedUtf8;
using velmor::store::LikePattern;
using velmor::store::makeIndexForm;

TEST(ArabicFold, MarksAndTatweelAreIgnored) {
    EXPECT_EQ(foldUtf8("بِسْمِ"), "بسم");
    EXPECT_EQ(foldUtf8("الرَّحمـٰنِ"), "الرحمن");
    // Quranic pause and annotation marks (U+06D6..U+06ED) and U+0610..U+061A.
    EXPECT_EQ(foldUtf8("ريب\u06DB فيه\u06DB"), "ريب فيه");
    EXPECT_EQ(foldUtf8("\u0610ا\u061A"), "ا");
}

TEST(ArabicFold, LetterVariantsMatchTheirPlainLetter) {
    EXPECT_EQ(foldUtf8("ٱ آ أ إ ٲ ٳ"), "ا ا ا ا ا ا");
    EXPECT_EQ(foldUtf8("ى ئ ی"), "ي ي ي");
    EXPECT_EQ(foldUtf8("الصلاة"), "الصلاه");
    EXPECT_EQ(foldUtf8("مؤمن"), "مومن");
    EXPECT_EQ(foldUtf8("کتاب"), "كتاب");
    EXPECT_EQ(foldUtf8("a\u00A0B"), "a b");
    // Hamza on its own is a letter, not a variant.
    EXPECT_EQ(foldUtf8("ماء"), "ماء");
}

TEST(ArabicFold, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(foldUtf8("\xD8"), "\uFFFD");
    EXPECT_EQ(foldUtf8("a\xC0\xAF"
                       "b"),
              "a\uFFFDb"); // overlong encoding
}

TEST(ArabicFold, IndexFormHasOneBlankAroundEveryWord) {
    EXPECT_EQ(makeIndexForm("بسم\u00A0الله  الرحمن "), " بسم الله الرحمن ");
    EXPECT_EQ(makeIndexForm("إِلَـٰهٌ"), " اله ");
    EXPECT_EQ(makeIndexForm(""), " ");
}

TEST(JetLike, WildcardsCoverTheWholeValue) {
    EXPECT_TRUE(LikePattern("%الله%").matches(" بسم الله "));
    EXPECT_TRUE(LikePattern("% الله %").matches(" بسم الله "));
    EXPECT_FALSE(LikePattern("% الل %").matches(" بسم الله "));
    EXPECT_TRUE(LikePattern("ب_م").matches("بسم"));
    EXPECT_FALSE(LikePattern("ب_م").matches("بسسم"));
    EXPECT_FALSE(LikePattern("بس").matches("بسم")); // no implicit trailing run
    EXPECT_TRUE(LikePattern("%").matches(""));
    EXPECT_TRUE(LikePattern("%a%b%").matches("xxaxxbxx"));
    EXPECT_FALSE(LikePattern("%a%b%").matches("xxbxxaxx"));
    EXPECT_TRUE(LikePattern("%ab").matches("aab"));
}

TEST(JetLike, NumbersCompareAsTheirWholeDecimalText) {
    EXPECT_TRUE(LikePattern("2").matches("2"));
    EXPECT_FALSE(LikePattern("2").matches("12"));
    EXPECT_FALSE(LikePattern("2").matches("20"));
}

TEST(JetLike, NoEscapeCharacter) {
    EXPECT_TRUE(LikePattern("a\\%").matches("a\\bc"));
    EXPECT_FALSE(LikePattern("a\\%").matches("a%"));
}

TEST(JetLike, BothSidesAreFolded) {
    EXPECT_TRUE(LikePattern("% بِسْمِ %").matches(" بسم الله "));
    EXPECT_TRUE(LikePattern("%إله%").matches(" لا اله الا هو "));
    EXPECT_TRUE(LikePattern("%الصلاة%").matches(" اقيموا الصلاه "));
    EXPECT_TRUE(LikePattern("%الصلاه%").matches(" أقيموا الصلاة "));
    EXPECT_TRUE(LikePattern("ABC").matches("abc"));
}

TEST(JetLike, RunsOfPercentSignsMatchAsOne) {
    const LikePattern million(std::string(1000000, '%'));
    EXPECT_TRUE(million.matches(" بسم الله "));
    EXPECT_TRUE(million.matches(""));
    const LikePattern runs("%%% الله %%%%الرحيم%%");
    EXPECT_TRUE(runs.matches(" بسم الله الرحمن الرحيم "));
    EXPECT_FALSE(runs.matches(" الرحيم الله "));
}

TEST(JetLike, NumbersMatchAsTheirDecimalText) {
    struct Case {
        const char* pattern;
        long long value;
        bool matches;
    };
    for (const Case& c : {Case{"262", 262, true}, Case{"262", 26, false}, Case{"0262", 262, false},
                          Case{"0", 0, true}, Case{"2_2", 252, true}, Case{"%6%", 1006, true},
                          Case{"99999999999999999999", 1, false}, Case{"-5", -5, true}}) {
        EXPECT_EQ(LikePattern(c.pattern).matchesInteger(c.value), c.matches)
            << c.pattern << " " << c.value;
        EXPECT_EQ(LikePattern(c.pattern).matches(std::to_string(c.value)), c.matches) << c.pattern;
    }
}

TEST(ArabicFold, AlreadyFoldedTextIsRecognised) {
    for (const char* text : {" بسم الله ", "abc 123", "", "\xE2\x82\xAC"}) {
        EXPECT_TRUE(isFoldedUtf8(text)) << text;
        EXPECT_EQ(foldUtf8(text), text);
    }
    for (const char* text : {"بِسْمِ", "Abc",
                             "a\xC2\xA0"
                             "b",
                             "الصلاة", "\xD8", "a\xC0\xAF"}) {
        EXPECT_FALSE(isFoldedUtf8(text)) << text;
    }
}
