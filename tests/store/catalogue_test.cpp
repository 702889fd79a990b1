#include "catalogue.h"

#include <gtest/gtest.h>

using namespace velmor::store::catalogue;

// The fixed texts of the fourteen forms, blanks included: the stand-alone
// scoped forms carry two blanks before the quote, none stands before
// "order by ID" after the closing quote, and apostrophes are doubled.
TEST(Catalogue, EveryFormHasItsExactText) {
    const QString w = QStringLiteral("x'y");
    const std::vector<std::pair<QString, const char*>> forms{
        {wordInWholeText(w), "Ayat.AyaaIndex like '% x''y %'order by ID"},
        {partInWholeText(w), "Ayat.AyaaIndex like '%x''y%'order by ID"},
        {wordInJuz(3, w), "chapterNO = 3 And Ayat.AyaaIndex Like  '% x''y %'order by ID"},
        {partInJuz(3, w), "chapterNO = 3 And Ayat.AyaaIndex Like '%x''y%'order by ID"},
        {wordInJuzRange(1, 30, w),
         "chapterNO between 1 and 30 And Ayat.AyaaIndex Like  '% x''y %'order by ID"},
        {partInJuzRange(1, 30, w),
         "chapterNO between 1 and 30 And Ayat.AyaaIndex Like '%x''y%'order by ID"},
        {wordInSura(2, w), "soraano = 2 And Ayat.AyaaIndex Like  '% x''y %'order by ID"},
        {partInSura(2, w), "soraano = 2 And Ayat.AyaaIndex Like '%x''y%'order by ID"},
        {wordInSuraRange(2, 5, w),
         "soraano between 2 and 5 And Ayat.AyaaIndex Like  '% x''y %'order by ID"},
        {partInSuraRange(2, 5, w),
         "soraano between 2 and 5 And Ayat.AyaaIndex Like '%x''y%'order by ID"},
        {wholeSura(2), "Ayat.soraano like 2"},
        {wholeSuraInOrder(2), "Ayat.soraano like 2 order by ID"},
        {wholeJuz(30), "Ayat.chapterNO like 30 order by ID"},
        {oneAya(262), "Ayat.ID like 262"},
    };
    for (const auto& [sql, tail] : forms) {
        EXPECT_EQ(sql, QStringLiteral("SELECT *  FROM Ayat where ") + QString::fromUtf8(tail));
    }
}
