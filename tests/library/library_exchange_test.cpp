#include "library_exchange.h"
#include "library_support.h"
#include "run_program.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace velmor;
using namespace velmor::library;
using test::TemporaryLibrary;

namespace {

// A library as a reader leaves it: bookmarks in three collections, a note
// of two paragraphs, a place, two searches.
void fill(Library& library) {
    ASSERT_TRUE(library.addBookmark({2, 255}, QStringLiteral("المفضلة"), QStringLiteral("الكرسي")));
    ASSERT_TRUE(library.addBookmark({1, 1}, QStringLiteral("حفظ")));
    ASSERT_TRUE(library.addBookmark({112, 1}, QStringLiteral("دعاء \"مأثور\"")));
    ASSERT_TRUE(library.setNote({2, 255}, QStringLiteral("أعظم آية\n\n# ليست عنوانا\\")));
    ASSERT_TRUE(library.setLastRead({18, 10}));
    ASSERT_TRUE(library.recordSearch({QStringLiteral("الرحمن"), false, QStringLiteral("all"), {}}));
    ASSERT_TRUE(
        library.recordSearch({QStringLiteral("نور"), true, QStringLiteral("suras 2-4"), {}}));
}

QByteArray exported(const Library& library) {
    return toJson(contentsOf(library).value());
}

QJsonObject parsed(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object();
}

} // namespace

TEST(LibraryExchange, WritesTheDocumentedFormat) {
    TemporaryLibrary file;
    auto library = file.open();
    fill(*library);
    const QJsonObject root = parsed(exported(*library));
    EXPECT_EQ(root.value("format").toString(), QStringLiteral("velmor-library"));
    EXPECT_EQ(root.value("version").toInt(), 1);
    EXPECT_EQ(root.value("collections").toArray().size(), 3);
    EXPECT_EQ(root.value("collections")[0].toObject().value("color").toString(),
              collectionPalette()[0]);
    const QJsonObject first = root.value("bookmarks")[0].toObject();
    EXPECT_EQ(first.value("sura").toInt(), 1);
    EXPECT_EQ(first.value("collection").toString(), QStringLiteral("حفظ"));
    EXPECT_TRUE(QDateTime::fromString(first.value("created").toString(), Qt::ISODate).isValid());
    EXPECT_TRUE(first.value("created").toString().endsWith(u'Z'));
    EXPECT_EQ(root.value("notes")[0].toObject().value("text").toString(),
              QStringLiteral("أعظم آية\n\n# ليست عنوانا\\"));
    EXPECT_EQ(root.value("lastRead").toObject().value("aya").toInt(), 10);
    EXPECT_EQ(root.value("history")[0].toObject().value("scope").toString(),
              QStringLiteral("suras 2-4"));
    EXPECT_TRUE(root.value("history")[0].toObject().value("partial").toBool());
}

// Exported, removed and imported, everything is back; imported again,
// nothing changes.
TEST(LibraryExchange, ImportsWhatItExportedAndTwiceChangesNothing) {
    TemporaryLibrary source;
    auto library = source.open();
    fill(*library);
    const QByteArray json = exported(*library);
    TemporaryLibrary target;
    auto fresh = target.open();
    ASSERT_TRUE(merge(*fresh, fromJson(json).value()));
    EXPECT_EQ(exported(*fresh).toStdString(), json.toStdString());
    ASSERT_TRUE(merge(*fresh, fromJson(json).value()));
    EXPECT_EQ(exported(*fresh), json);
}

// Bookmarks merge by aya and collection, notes by aya with the newer kept,
// the place read last only where there is none.
TEST(LibraryExchange, MergesIntoWhatIsThere) {
    TemporaryLibrary file;
    auto library = file.open();
    ASSERT_TRUE(library->addBookmark({1, 1}, QStringLiteral("حفظ")));
    ASSERT_TRUE(library->setNote({1, 2}, QStringLiteral("هنا")));
    ASSERT_TRUE(library->setNote({1, 3}, QStringLiteral("هنا أيضا")));
    ASSERT_TRUE(library->setLastRead({1, 4}));
    const QString now = library->note({1, 2}).value()->updated;
    const QByteArray incoming = QStringLiteral(R"({"format":"velmor-library","version":1,
      "bookmarks":[{"sura":1,"aya":1,"collection":"حفظ","label":"جديد"},
                   {"sura":1,"aya":1},{"sura":2,"aya":2,"collection":""}],
      "notes":[{"sura":1,"aya":2,"text":"أقدم","updated":"2001-01-01T00:00:00Z"},
               {"sura":1,"aya":3,"text":"أحدث","updated":"2999-01-01T00:00:00Z"},
               {"sura":1,"aya":5,"text":"أخرى","updated":"2020-05-05T10:00:00+03:00"}],
      "lastRead":{"sura":9,"aya":9}})")
                                    .toUtf8();
    ASSERT_TRUE(merge(*library, fromJson(incoming).value()));
    const auto marks = library->bookmarks().value();
    ASSERT_EQ(marks.size(), 3U);
    EXPECT_EQ(marks[0].collection, QStringLiteral("المفضلة"));
    EXPECT_EQ(marks[1].label, QStringLiteral("جديد")); // it had none
    EXPECT_EQ(marks[2].collection, QStringLiteral("المفضلة"));
    EXPECT_EQ(library->note({1, 2}).value()->text, QStringLiteral("هنا"));
    EXPECT_EQ(library->note({1, 2}).value()->updated, now);
    EXPECT_EQ(library->note({1, 3}).value()->text, QStringLiteral("أحدث"));
    EXPECT_EQ(library->note({1, 5}).value()->updated, QStringLiteral("2020-05-05T07:00:00Z"));
    EXPECT_EQ(library->lastRead().value(), (AyaRef{1, 4}));
}

// Each bad file names its problem and changes nothing.
TEST(LibraryExchange, RefusesABadFileWhole) {
    const QString head = QStringLiteral(R"({"format":"velmor-library","version":1,)");
    const struct {
        const char* what;
        QByteArray json;
        const char* named;
    } cases[] = {
        {"not JSON", "{\"format\": velmor", "not JSON"},
        {"an array", "[1,2]", "not a Velmor library"},
        {"another format", R"({"format":"bookmarks","version":1})", "not a Velmor library"},
        {"a later version", R"({"format":"velmor-library","version":2})", "version 2"},
        {"no version", R"({"format":"velmor-library"})", "version (none)"},
        {"an aya that is not there",
         (head + R"("bookmarks":[{"sura":1,"aya":1},{"sura":1,"aya":8}]})").toUtf8(),
         "bookmarks[1]: there is no aya 1:8"},
        {"a sura that is not there",
         (head + R"("notes":[{"sura":115,"aya":1,"text":"x",
          "updated":"2020-01-01T00:00:00Z"}]})")
             .toUtf8(),
         "notes[0]"},
        {"a fraction", (head + R"("lastRead":{"sura":2.5,"aya":1}})").toUtf8(), "lastRead"},
        {"a note over the limit",
         (head + R"("notes":[{"sura":1,"aya":1,"updated":"2020-01-01T00:00:00Z","text":")" +
          QString(kNoteLimit / 2 + 1, u'ب') + R"("}]})")
             .toUtf8(),
         "over 1 MiB"},
        {"a note without a date", (head + R"("notes":[{"sura":1,"aya":1,"text":"x"}]})").toUtf8(),
         "updated"},
        {"an unknown scope",
         (head + R"("history":[{"text":"x","scope":"sura 200",
          "at":"2020-01-01T00:00:00Z"}]})")
             .toUtf8(),
         "scope"},
        {"bookmarks not an array", (head + R"("bookmarks":{}})").toUtf8(), "\"bookmarks\""},
    };
    TemporaryLibrary file;
    auto library = file.open();
    fill(*library);
    const QByteArray before = exported(*library);
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        const Outcome<Contents> read = fromJson(each.json);
        ASSERT_FALSE(read);
        EXPECT_TRUE(read.reason().contains(QString::fromUtf8(each.named)))
            << read.reason().toStdString();
    }
    EXPECT_EQ(exported(*library), before);
    // Past the limit the file is not even read whole.
    const QString huge = file.folder.filePath(QStringLiteral("huge.json"));
    QFile big(huge);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(100 << 20));
    big.close();
    const auto bytes = readImport(huge);
    ASSERT_FALSE(bytes);
    EXPECT_TRUE(bytes.reason().contains(QStringLiteral("64 MiB")));
}

// An export that cannot be finished leaves no file, and the one before stays.
TEST(LibraryExchange, AFailedExportLeavesNoHalfFile) {
    TemporaryLibrary file;
    auto library = file.open();
    fill(*library);
    ASSERT_TRUE(library->setNote({3, 1}, QString(400000, u'ج')));
    const QString small = file.folder.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(small));
    if (test::runProgram(QStringLiteral("mount"),
                         {"-t", "tmpfs", "-o", "size=256k", "tmpfs", small})
            .exitCode != 0) {
        GTEST_SKIP() << "this machine does not let the test mount a small file system";
    }
    const QString out = small + QStringLiteral("/library.json");
    QFile earlier(out);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("the export before");
    earlier.close();
    EXPECT_FALSE(exportTo(*library, out));
    EXPECT_EQ(test::fileBytes(out), QByteArray("the export before"));
    EXPECT_EQ(QDir(small).entryList(QDir::Files | QDir::Hidden).size(), 1);
    test::runProgram(QStringLiteral("umount"), {small});
}

TEST(LibraryExchange, WritesNotesAsMarkdown) {
    const std::vector<Note> notes{{{1, 1}, QStringLiteral("سطر\n# لا عنوان\n> ولا اقتباس"), {}},
                                  {{114, 6}, QStringLiteral("آخر"), {}}};
    const QString markdown = notesMarkdown(
        notes, [](AyaRef aya) { return QStringLiteral("نص %1:%2").arg(aya.sura).arg(aya.aya); });
    EXPECT_EQ(markdown,
              QStringLiteral("# ملاحظات Velmor\n"
                             "\n## الفاتحة : 1\n\n> نص 1:1\n\nسطر\n\\# لا عنوان\n\\> ولا اقتباس\n"
                             "\n## الناس : 6\n\n> نص 114:6\n\nآخر\n"));
}
