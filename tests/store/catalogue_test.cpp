#include "catalogue.h"

#include <gtest/gtest.h>

using namespace velmor::store::catalogue;

namespace {
std::string s(const QString& text) {
    return text.toStdString();
}
} // namespace

TEST(Catalogue, WholeTextForms) {
    EXPECT_EQ(s(wordInWholeText(QStringLiteral("الله"))),
              "SELECT *  FROM Ayat where Ayat.AyaaIndex like '% الله %'order by ID");
    EXPECT_EQ(s(partInWholeText(QStringLiteral("الله"))),
              "SELECT *  FROM Ayat where Ayat.AyaaIndex like '%الله%'order by ID");
}

TEST(Catalogue, ScopedFormsKeepTwoBlanksBeforeTheStandAlonePattern) {
    EXPECT_EQ(
        s(wordInJuz(3, QStringLiteral("w"))),
        "SELECT *  FROM Ayat where chapterNO = 3 And Ayat.AyaaIndex Like  '% w %'order by ID");
    EXPECT_EQ(s(partInJuz(3, QStringLiteral("w"))),
              "SELECT *  FROM Ayat where chapterNO = 3 And Ayat.AyaaIndex Like '%w%'order by ID");
    EXPECT_EQ(s(wordInJuzRange(1, 30, QStringLiteral("w"))),
              "SELECT *  FROM Ayat where chapterNO between 1 and 30 And Ayat.AyaaIndex Like  '% w "
              "%'order by ID");
    EXPECT_EQ(s(partInJuzRange(1, 30, QStringLiteral("w"))),
              "SELECT *  FROM Ayat where chapterNO between 1 and 30 And Ayat.AyaaIndex Like "
              "'%w%'order by ID");
    EXPECT_EQ(s(wordInSura(2, QStringLiteral("w"))),
              "SELECT *  FROM Ayat where soraano = 2 And Ayat.AyaaIndex Like  '% w %'order by ID");
    EXPECT_EQ(s(partInSura(2, QStringLiteral("w"))),
              "SELECT *  FROM Ayat where soraano = 2 And Ayat.AyaaIndex Like '%w%'order by ID");
    EXPECT_EQ(s(wordInSuraRange(2, 5, QStringLiteral("w"))),
              "SELECT *  FROM Ayat where soraano between 2 and 5 And Ayat.AyaaIndex Like  '% w "
              "%'order by ID");
    EXPECT_EQ(s(partInSuraRange(2, 5, QStringLiteral("w"))),
              "SELECT *  FROM Ayat where soraano between 2 and 5 And Ayat.AyaaIndex Like "
              "'%w%'order by ID");
}

TEST(Catalogue, ListingForms) {
    EXPECT_EQ(s(wholeSura(2)), "SELECT *  FROM Ayat where Ayat.soraano like 2");
    EXPECT_EQ(s(wholeSuraInOrder(2)), "SELECT *  FROM Ayat where Ayat.soraano like 2 order by ID");
    EXPECT_EQ(s(wholeJuz(30)), "SELECT *  FROM Ayat where Ayat.chapterNO like 30 order by ID");
    EXPECT_EQ(s(oneAya(262)), "SELECT *  FROM Ayat where Ayat.ID like 262");
}

TEST(Catalogue, ApostrophesAreDoubledAndPatternCharactersKept) {
    EXPECT_EQ(s(partInWholeText(QStringLiteral("x' OR '1'='1"))),
              "SELECT *  FROM Ayat where Ayat.AyaaIndex like '%x'' OR ''1''=''1%'order by ID");
    EXPECT_EQ(s(wordInSura(1, QStringLiteral("'"))),
              "SELECT *  FROM Ayat where soraano = 1 And Ayat.AyaaIndex Like  '% '' %'order by ID");
    EXPECT_EQ(s(partInWholeText(QStringLiteral("a%b_c"))),
              "SELECT *  FROM Ayat where Ayat.AyaaIndex like '%a%b_c%'order by ID");
}
