#include "reference_lists.h"

#include <gtest/gtest.h>

using namespace velmor::store;

TEST(ReferenceLists, CountsAndClassesAgreeWithTheWholeText) {
    ASSERT_EQ(soraayanumlist().size(), 114);
    int total = 0;
    for (const QString& count : soraayanumlist()) {
        // Counts below ten keep a trailing blank.
        EXPECT_EQ(count.endsWith(u' '), count.trimmed().toInt() < 10) << count.toStdString();
        total += count.trimmed().toInt();
    }
    EXPECT_EQ(total, 6236);
    EXPECT_EQ(typelist().count(QStringLiteral("مدنية")), 29);
    EXPECT_EQ(typelist().count(QStringLiteral("مكية")), 85);
}

TEST(ReferenceLists, PickerNamesAreTheResultNamesWithoutMarks) {
    ASSERT_EQ(pickerSuraNames().size(), compairlist().size());
    EXPECT_EQ(compairlist()[103], QStringLiteral("الهُمَزَة"));
    EXPECT_EQ(pickerSuraNames()[103], QStringLiteral("الهمزة"));
    // The tatweel of 38 and 50 is a letter: it stays.
    EXPECT_EQ(pickerSuraNames()[37], QStringLiteral("ص\u0640"));
}
