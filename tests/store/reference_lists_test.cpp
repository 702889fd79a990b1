#include "reference_lists.h"

#include <gtest/gtest.h>

using namespace velmor::store;

TEST(ReferenceLists, HoldOneEntryPerSura) {
    EXPECT_EQ(compairlist().size(), 114);
    EXPECT_EQ(soraayanumlist().size(), 114);
    EXPECT_EQ(typelist().size(), 114);
    EXPECT_EQ(pickerSuraNames().size(), 114);
}

TEST(ReferenceLists, AyaCountsKeepTheirBlankAndSumToTheWholeText) {
    EXPECT_EQ(soraayanumlist()[0], QStringLiteral("7 "));
    EXPECT_EQ(soraayanumlist()[1], QStringLiteral("286"));
    EXPECT_EQ(soraayanumlist()[36], QStringLiteral("182"));
    EXPECT_EQ(soraayanumlist()[102], QStringLiteral("3 "));
    EXPECT_EQ(soraayanumlist()[113], QStringLiteral("6 "));
    int total = 0;
    for (const QString& count : soraayanumlist()) {
        EXPECT_EQ(count.endsWith(u' '), count.trimmed().toInt() < 10) << count.toStdString();
        total += count.trimmed().toInt();
    }
    EXPECT_EQ(total, 6236);
}

TEST(ReferenceLists, Classification) {
    EXPECT_EQ(typelist()[0], QStringLiteral("مكية"));
    EXPECT_EQ(typelist()[55], QStringLiteral("مدنية"));
    EXPECT_EQ(typelist()[56], QStringLiteral("مدنية"));
    EXPECT_EQ(typelist().count(QStringLiteral("مدنية")), 29);
    EXPECT_EQ(typelist().count(QStringLiteral("مكية")), 85);
}

TEST(ReferenceLists, MarkedNamesInResultLinesPlainNamesInPickers) {
    EXPECT_EQ(compairlist()[37], QStringLiteral("ص\u0640"));
    EXPECT_EQ(compairlist()[49], QStringLiteral("ق\u0640"));
    EXPECT_EQ(compairlist()[103], QStringLiteral("الهُمَزَة"));
    EXPECT_EQ(pickerSuraNames()[72], QStringLiteral("المزمل"));
    EXPECT_EQ(pickerSuraNames()[73], QStringLiteral("المدثر"));
    EXPECT_EQ(pickerSuraNames()[103], QStringLiteral("الهمزة"));
    for (int i = 0; i < 114; ++i) {
        if (i != 72 && i != 73 && i != 103) {
            EXPECT_EQ(pickerSuraNames()[i], compairlist()[i]) << i;
        }
    }
}
