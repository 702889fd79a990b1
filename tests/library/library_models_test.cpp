#include "library_models.h"

#include <QColor>
#include <gtest/gtest.h>

using namespace velmor;
using namespace velmor::library;

TEST(LibraryModels, GroupBookmarksUnderTheirCollections) {
    BookmarkListModel model;
    model.reset({{1, QStringLiteral("المفضلة"), QStringLiteral("#2e7d32")},
                 {2, QStringLiteral("حفظ"), QStringLiteral("#1565c0")}},
                {{{1, 1}, QStringLiteral("حفظ"), {}, {}, {}},
                 {{2, 255}, QStringLiteral("المفضلة"), {}, QStringLiteral("الكرسي"), {}},
                 {{3, 8}, QStringLiteral("حفظ"), {}, {}, {}}});
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        rows.append(model.index(row).data().toString());
    }
    EXPECT_EQ(rows, (QStringList{"المفضلة (1)", "البقرة : 255 — الكرسي", "حفظ (2)", "الفاتحة : 1",
                                 "آل عمران : 8"}));
    EXPECT_TRUE(model.index(2).data(HeadingRole).toBool());
    EXPECT_EQ(model.index(4).data(AyaRole).toInt(), ayaKey({3, 8}));
    EXPECT_EQ(ayaOfKey(ayaKey({114, 6})), (AyaRef{114, 6}));
    EXPECT_EQ(model.index(4).data(Qt::DecorationRole).value<QColor>(), QColor("#1565c0"));
}

// The filter finds a note by its letters, whatever marks either carries.
TEST(LibraryModels, FilterNotesByTheirLetters) {
    NoteListModel model;
    model.reset({{{1, 1}, QStringLiteral("بِسْمِ اللَّهِ\nثانٍ"), {}},
                 {{2, 1}, QStringLiteral("الم"), {}},
                 {{3, 1}, QStringLiteral("Light and نور"), {}}});
    EXPECT_EQ(model.rowCount(), 3);
    model.setFilter(QStringLiteral("بسم"));
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0).data().toString(), QStringLiteral("الفاتحة : 1 — بِسْمِ اللَّهِ"));
    model.setFilter(QStringLiteral("اللَّه"));
    EXPECT_EQ(model.rowCount(), 1);
    model.setFilter(QStringLiteral("light"));
    EXPECT_EQ(model.index(0).data(AyaRole).toInt(), ayaKey({3, 1}));
    model.setFilter(QStringLiteral("  "));
    EXPECT_EQ(model.rowCount(), 3);
    model.setFilter(QStringLiteral("غائب"));
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(LibraryModels, NameEachScope) {
    EXPECT_EQ(scopeTitle(QStringLiteral("all")), QStringLiteral("كل القرآن"));
    EXPECT_EQ(scopeTitle(QStringLiteral("juz 30")), QStringLiteral("الجزء 30"));
    EXPECT_EQ(scopeTitle(QStringLiteral("sura 2")), QStringLiteral("سورة البقرة"));
    EXPECT_EQ(scopeTitle(QStringLiteral("suras 1-2")), QStringLiteral("السور الفاتحة-البقرة"));
}
