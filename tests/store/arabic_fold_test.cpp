#include "arabic_fold.h"
#include "jet_like.h"

#include <gtest/gtest.h>

using velmor::store::foldUtf8;
using velmor::store::isFoldedUtf8;
using velmor::store::LikePattern;
using velmor::store::makeIndexForm;

TEST(ArabicFold, MarksGoVariantsBecomeTheirPlainLetter) {
    const std::vector<std::pair<const char*, const char*>> cases{
        {"بِسْمِ", "بسم"},
        {"الرَّحمـٰنِ", "الرحمن"},
        // Quranic pause and annotation marks (U+06D6..U+06ED) and U+0610..U+061A.
        {"ريب\u06DB فيه\u06DB", "ريب فيه"},
        {"\u0610ا\u061A", "ا"},
        {"ٱ آ أ إ ٲ ٳ", "ا ا ا ا ا ا"},
        {"ى ئ ی", "ي ي ي"},
        {"الصلاة مؤمن کتاب", "الصلاه مومن كتاب"},
        {"a\u00A0B", "a b"},
        {"ماء", "ماء"}, // hamza on its own is a letter
        {"\xD8", "\uFFFD"},
        {"a\xC0\xAF"
         "b",
         "a\uFFFDb"}, // overlong encoding
    };
    for (const auto& [text, folded] : cases) {
        EXPECT_EQ(foldUtf8(text), folded) << text;
        EXPECT_EQ(isFoldedUtf8(text), std::string_view(text) == folded) << text;
    }
    EXPECT_EQ(makeIndexForm("بسم\u00A0الله  الرحمن "), " بسم الله الرحمن ");
    EXPECT_EQ(makeIndexForm("إِلَـٰهٌ"), " اله ");
}

TEST(JetLike, MatchesTheWholeValueWithBothSidesFolded) {
    struct Case {
        std::string pattern;
        const char* value;
        bool matches;
    };
    const std::vector<Case> cases{
        {"%الله%", " بسم الله ", true},
        {"% الل %", " بسم الله ", false},
        {"ب_م", "بسم", true},
        {"ب_م", "بسسم", false},
        {"بس", "بسم", false}, // no implicit trailing run
        {"%", "", true},
        {"%a%b%", "xxaxxbxx", true},
        {"%a%b%", "xxbxxaxx", false},
        {"%ab", "aab", true},
        {"a\\%", "a\\bc", true}, // no escape character
        {"a\\%", "a%", false},
        {"% بِسْمِ %", " بسم الله ", true},
        {"%الصلاه%", " أقيموا الصلاة ", true},
        {"ABC", "abc", true},
        {"%%% الله %%%%الرحيم%%", " بسم الله الرحمن الرحيم ", true},
        {"%%% الله %%%%الرحيم%%", " الرحيم الله ", false},
        {std::string(1000000, '%'), " بسم الله ", true},
        // Long values take the sixteen-places-at-once search.
        {"%رب العالمين%", " الحمد لله رب العالمين الرحمن الرحيم مالك يوم الدين ", true},
        {"%رب العالمون%", " الحمد لله رب العالمين الرحمن الرحيم مالك يوم الدين ", false},
        {"%يوم الدين %", " الحمد لله رب العالمين الرحمن الرحيم مالك يوم الدين ", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LikePattern(c.pattern).matches(c.value), c.matches)
            << c.pattern.substr(0, 40) << " / " << c.value;
    }
}

TEST(JetLike, NumbersMatchAsTheirWholeDecimalText) {
    struct Case {
        const char* pattern;
        long long value;
        bool matches;
    };
    for (const Case& c : {Case{"262", 262, true}, Case{"2", 12, false}, Case{"0262", 262, false},
                          Case{"2_2", 252, true}, Case{"%6%", 1006, true},
                          Case{"99999999999999999999", 1, false}}) {
        EXPECT_EQ(LikePattern(c.pattern).matchesInteger(c.value), c.matches)
            << c.pattern << " " << c.value;
        EXPECT_EQ(LikePattern(c.pattern).matches(std::to_string(c.value)), c.matches) << c.pattern;
    }
}
