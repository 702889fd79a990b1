#include "library.h"
#include "library_support.h"
#include "scripture.h"
#include "search_scope.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace velmor;
using namespace velmor::library;
using test::TemporaryLibrary;

namespace {

std::vector<std::tuple<int, int, QString, QString>> listed(const Library& library) {
    std::vector<std::tuple<int, int, QString, QString>> rows;
    const auto all = library.bookmarks();
    for (const Bookmark& b : *all) {
        rows.emplace_back(b.aya.sura, b.aya.aya, b.collection, b.label);
    }
    return rows;
}

QStringList collectionNames(const Library& library) {
    QStringList names;
    const auto all = library.collections();
    for (const Collection& c : *all) {
        names.append(c.name);
    }
    return names;
}

} // namespace

// Every aya of the metadata package exists, and the one after each sura's
// last does not.
TEST(LibraryAyas, ExistExactlyAsTheMushafHasThem) {
    QMap<int, int> last;
    for (const test::AyaPlace& place : test::packagePlaces()) {
        ASSERT_TRUE(ayaExists({place.sura, place.aya})) << place.sura << ":" << place.aya;
        last[place.sura] = std::max(last[place.sura], place.aya);
    }
    ASSERT_EQ(last.size(), 114);
    for (auto it = last.begin(); it != last.end(); ++it) {
        EXPECT_FALSE(ayaExists({it.key(), it.value() + 1})) << it.key();
    }
    for (const AyaRef bad : {AyaRef{0, 1}, AyaRef{115, 1}, AyaRef{1, 0}, AyaRef{-2, 3}}) {
        EXPECT_FALSE(ayaExists(bad));
    }
}

TEST(Library, StartsWithItsFirstCollectionAndKeepsBookmarksInReadingOrder) {
    TemporaryLibrary file;
    auto library = file.open();
    ASSERT_TRUE(library);
    EXPECT_EQ(collectionNames(*library), QStringList{QStringLiteral("المفضلة")});
    ASSERT_TRUE(
        library->addBookmark({2, 255}, QStringLiteral("المفضلة"), QStringLiteral("الكرسي")));
    ASSERT_TRUE(library->addBookmark({1, 1}, QStringLiteral("حفظ")));
    ASSERT_TRUE(library->addBookmark({2, 255}, QStringLiteral("حفظ")));
    // Added again: nothing doubled, the label given replaces the old one.
    ASSERT_TRUE(library->addBookmark({1, 1}, QStringLiteral("حفظ"), QStringLiteral("الفاتحة")));
    EXPECT_EQ(collectionNames(*library),
              (QStringList{QStringLiteral("المفضلة"), QStringLiteral("حفظ")}));
    using Row = std::tuple<int, int, QString, QString>;
    EXPECT_EQ(listed(*library),
              (std::vector<Row>{
                  {1, 1, "حفظ", "الفاتحة"}, {2, 255, "المفضلة", "الكرسي"}, {2, 255, "حفظ", ""}}));
    // Each new collection takes the next colour of the palette.
    const auto all = library->collections().value();
    EXPECT_EQ(all[0].color, collectionPalette()[0]);
    EXPECT_EQ(all[1].color, collectionPalette()[1]);
    EXPECT_FALSE(library->addBookmark({2, 287}, QStringLiteral("حفظ")));
    EXPECT_FALSE(library->addBookmark({1, 1}, QStringLiteral("  ")));
}

TEST(Library, RenamesMovesReordersAndRemovesCollections) {
    TemporaryLibrary file;
    auto library = file.open();
    for (const char* name : {"أ", "ب", "ج"}) {
        ASSERT_TRUE(library->addCollection(QString::fromUtf8(name)));
    }
    ASSERT_TRUE(library->addBookmark({3, 8}, QStringLiteral("ب")));
    ASSERT_TRUE(library->renameCollection(QStringLiteral("ب"), QStringLiteral("دعاء")));
    EXPECT_FALSE(library->renameCollection(QStringLiteral("أ"), QStringLiteral("دعاء")));
    EXPECT_FALSE(library->renameCollection(QStringLiteral("لا شيء"), QStringLiteral("س")));
    ASSERT_TRUE(library->moveCollection(QStringLiteral("ج"), 0));
    ASSERT_TRUE(library->moveCollection(QStringLiteral("المفضلة"), 99));
    EXPECT_EQ(collectionNames(*library), (QStringList{"ج", "أ", "دعاء", "المفضلة"}));
    ASSERT_TRUE(library->moveBookmark({3, 8}, QStringLiteral("دعاء"), QStringLiteral("ج")));
    EXPECT_EQ(listed(*library)[0], std::make_tuple(3, 8, QStringLiteral("ج"), QString()));
    ASSERT_TRUE(library->setCollectionColor(QStringLiteral("ج"), collectionPalette()[4]));
    EXPECT_FALSE(library->setCollectionColor(QStringLiteral("ج"), QStringLiteral("#123456")));
    EXPECT_EQ(library->marksOfSura(3).value().front().color, collectionPalette()[4]);
    // A collection goes with its bookmarks; the last one stays.
    ASSERT_TRUE(library->removeCollection(QStringLiteral("ج")));
    EXPECT_TRUE(listed(*library).empty());
    for (const char* name : {"أ", "دعاء"}) {
        ASSERT_TRUE(library->removeCollection(QString::fromUtf8(name)));
    }
    EXPECT_FALSE(library->removeCollection(QStringLiteral("المفضلة")));
    EXPECT_EQ(collectionNames(*library), QStringList{QStringLiteral("المفضلة")});
}

TEST(Library, TogglesInTheCollectionUsedLast) {
    TemporaryLibrary file;
    auto library = file.open();
    EXPECT_EQ(library->lastCollection().value(), QStringLiteral("المفضلة"));
    ASSERT_TRUE(library->addBookmark({112, 1}, QStringLiteral("حفظ")));
    EXPECT_EQ(library->lastCollection().value(), QStringLiteral("حفظ"));
    EXPECT_TRUE(library->toggleBookmark({113, 1}).value());
    EXPECT_FALSE(library->toggleBookmark({112, 1}).value());
    using Row = std::tuple<int, int, QString, QString>;
    EXPECT_EQ(listed(*library), (std::vector<Row>{{113, 1, "حفظ", ""}}));
    // The collection used last gone, the first one takes its place.
    ASSERT_TRUE(library->removeCollection(QStringLiteral("حفظ")));
    EXPECT_EQ(library->lastCollection().value(), QStringLiteral("المفضلة"));
}

TEST(Library, KeepsOneNotePerAyaUpToItsLimit) {
    TemporaryLibrary file;
    auto library = file.open();
    const QString twoParagraphs = QStringLiteral("الفقرة الأولى\n\nالفقرة الثانية \\ مع شرطة");
    ASSERT_TRUE(library->setNote({2, 255}, twoParagraphs));
    ASSERT_TRUE(library->setNote({1, 7}, QStringLiteral("أول")));
    ASSERT_TRUE(library->setNote({1, 7}, QStringLiteral("ثان")));
    const auto notes = library->notes().value();
    ASSERT_EQ(notes.size(), 2U);
    EXPECT_EQ(notes[0].aya, (AyaRef{1, 7}));
    EXPECT_EQ(notes[0].text, QStringLiteral("ثان"));
    EXPECT_EQ(notes[1].text, twoParagraphs);
    // At the limit it is kept; one byte over (a two-byte letter) it is not.
    const QString atLimit(kNoteLimit, u'a');
    ASSERT_TRUE(library->setNote({3, 1}, atLimit));
    EXPECT_FALSE(library->setNote({3, 1}, atLimit.left(kNoteLimit - 1) + QStringLiteral("ب")));
    EXPECT_EQ(library->note({3, 1}).value()->text.size(), kNoteLimit);
    // An empty text removes it.
    ASSERT_TRUE(library->setNote({1, 7}, {}));
    EXPECT_FALSE(library->note({1, 7}).value().has_value());
    EXPECT_FALSE(library->setNote({1, 8}, QStringLiteral("x")));
    const auto marks = library->marksOfSura(2).value();
    ASSERT_EQ(marks.size(), 1U);
    EXPECT_TRUE(marks[0].note && marks[0].color.isEmpty() && marks[0].aya == 255);
}

TEST(Library, KeepsTheLastTwoHundredSearchesNewestFirst) {
    TemporaryLibrary file;
    auto library = file.open();
    for (int k = 0; k < kHistoryKept + 5; ++k) {
        ASSERT_TRUE(library->recordSearch(
            {QStringLiteral("كلمة %1").arg(k), false, QStringLiteral("all"), {}}));
    }
    ASSERT_TRUE(
        library->recordSearch({QStringLiteral("كلمة 10"), false, QStringLiteral("all"), {}}));
    // Another match or scope is another search.
    ASSERT_TRUE(
        library->recordSearch({QStringLiteral("كلمة 10"), true, QStringLiteral("sura 2"), {}}));
    const auto history = library->history().value();
    ASSERT_EQ(history.size(), std::size_t(kHistoryKept));
    EXPECT_EQ(history[0],
              (RecentSearch{QStringLiteral("كلمة 10"), true, QStringLiteral("sura 2"), {}}));
    EXPECT_EQ(history[1],
              (RecentSearch{QStringLiteral("كلمة 10"), false, QStringLiteral("all"), {}}));
    EXPECT_EQ(history[2].text, QStringLiteral("كلمة 204"));
    // The oldest went: 0..5 (and 10 was moved up, not kept twice).
    QSet<QString> texts;
    for (const RecentSearch& s : history) {
        texts.insert(s.text + (s.partial ? "+" : ""));
    }
    EXPECT_EQ(texts.size(), kHistoryKept);
    EXPECT_FALSE(texts.contains(QStringLiteral("كلمة 5")));
    EXPECT_TRUE(texts.contains(QStringLiteral("كلمة 7")));
    ASSERT_TRUE(library->clearHistory());
    EXPECT_TRUE(library->history().value().empty());
}

TEST(Library, KeepsThePlaceReadLast) {
    TemporaryLibrary file;
    {
        auto library = file.open();
        EXPECT_FALSE(library->lastRead().value().has_value());
        ASSERT_TRUE(library->setLastRead({18, 10}));
        EXPECT_FALSE(library->setLastRead({18, 111}));
    }
    EXPECT_EQ(file.open()->lastRead().value(), (AyaRef{18, 10}));
}

// Two connections, as the window and the command line: a change by one is
// seen by the other, and known as a change from elsewhere.
TEST(Library, SeesWhatAnotherConnectionChanged) {
    TemporaryLibrary file;
    auto window = file.open();
    auto command = file.open();
    EXPECT_FALSE(window->changedElsewhere());
    ASSERT_TRUE(command->addBookmark({36, 1}, QStringLiteral("المفضلة")));
    EXPECT_TRUE(window->changedElsewhere());
    EXPECT_FALSE(window->changedElsewhere());
    EXPECT_EQ(listed(*window).size(), 1U);
    ASSERT_TRUE(window->setNote({36, 1}, QStringLiteral("يس")));
    EXPECT_FALSE(window->changedElsewhere()); // its own change
    EXPECT_EQ(command->note({36, 1}).value()->text, QStringLiteral("يس"));
}

TEST(SearchScope, KeysRoundTripAndRefuseWhatIsOutOfRange) {
    for (const char* key :
         {"all", "juz 1", "juz 30", "juz 2-5", "sura 1", "sura 114", "suras 2-4"}) {
        const auto options = searchOptionsOf(QString::fromLatin1(key), true);
        ASSERT_TRUE(options) << key;
        EXPECT_FALSE(options->wholeWord);
        EXPECT_EQ(scopeKey(*options), QString::fromLatin1(key));
    }
    for (const char* key : {"", "juz 0", "juz 31", "sura 115", "sura 2-3", "suras 2", "juz 1-31",
                            "everything", "sura 02"}) {
        EXPECT_FALSE(searchOptionsOf(QString::fromLatin1(key), false)) << key;
    }
}
