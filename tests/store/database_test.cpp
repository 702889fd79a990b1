#include "catalogue.h"
#include "record_view.h"
#include "scripture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

using namespace velmor::store;

namespace {

const QString kDatabase = QStringLiteral(VELMOR_TEST_DATABASE);

struct Row {
    int id, sura, aya, juz;
};

class DatabaseTest : public ::testing::Test {
protected:
    Store store{[this](const QString& message) { messages.append(message); }};
    QStringList messages;

    QString connection() const {
        return buildConnectionString(QFileInfo(kDatabase).absolutePath());
    }

    // Runs a query through a fresh view and collects every row.
    std::vector<Row> walk(const QString& sql, const QString& connectionString = {}) {
        RecordView view(store);
        view.setConnectionString(connectionString.isEmpty() ? connection() : connectionString);
        view.setRecordSource(sql);
        view.refresh();
        std::vector<Row> rows;
        for (; !view.eof(); view.moveNext()) {
            rows.push_back({view.field(u"ID").toInt(), view.field(u"soraano").toInt(),
                            view.field(u"ayaano").toInt(), view.field(u"chapterNO").toInt()});
        }
        return rows;
    }

    std::vector<int> ids(const QString& sql) {
        std::vector<int> result;
        for (const Row& row : walk(sql)) {
            result.push_back(row.id);
        }
        return result;
    }
};

bool ascending(const std::vector<Row>& rows) {
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].id <= rows[i - 1].id) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST_F(DatabaseTest, TheLinkedLibraryIsSqlCipher) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &statement, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_step(statement), SQLITE_ROW) << "PRAGMA cipher_version gave no row";
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

TEST_F(DatabaseTest, WholeTableInReadingOrder) {
    const auto rows = walk(QStringLiteral("SELECT *  FROM Ayat"));
    ASSERT_EQ(rows.size(), 6236u);
    EXPECT_TRUE(ascending(rows));
    EXPECT_EQ(rows.front().sura, 1);
    EXPECT_EQ(rows.back().sura, 114);
    EXPECT_EQ(rows.back().aya, 6);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DatabaseTest, AyaAndTafsirTextsAreVerbatimCopies) {
    const auto texts = velmor::test::readPackageArray(VELMOR_TEST_TEXT_JSON);
    const auto tafsir = velmor::test::readPackageArray(VELMOR_TEST_TAFSIR_JSON);
    ASSERT_EQ(texts.size(), tafsir.size());

    RecordView view(store);
    view.setConnectionString(connection());
    view.setRecordSource(QStringLiteral("SELECT *  FROM Ayat order by ID"));
    view.refresh();
    std::size_t row = 0;
    for (; !view.eof(); view.moveNext(), ++row) {
        ASSERT_LT(row, texts.size());
        ASSERT_EQ(view.field(u"ayaa").toStdString(), texts[row].get<std::string>()) << row + 1;
        ASSERT_EQ(view.field(u"taf").toStdString(), tafsir[row].get<std::string>()) << row + 1;
    }
    EXPECT_EQ(row, texts.size());
}

TEST_F(DatabaseTest, SuraListingsHoldOnlyThatSuraInOrder) {
    for (const QString& sql : {catalogue::wholeSura(2), catalogue::wholeSuraInOrder(2)}) {
        const auto rows = walk(sql);
        ASSERT_EQ(rows.size(), 286u) << sql.toStdString();
        EXPECT_TRUE(ascending(rows));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].sura, 2);
            EXPECT_EQ(rows[i].aya, static_cast<int>(i) + 1);
        }
    }
}

TEST_F(DatabaseTest, JuzListingHoldsOnlyThatJuz) {
    const auto rows = walk(catalogue::wholeJuz(3));
    ASSERT_FALSE(rows.empty());
    EXPECT_TRUE(ascending(rows));
    for (const Row& row : rows) {
        EXPECT_EQ(row.juz, 3);
    }
    EXPECT_EQ(rows.front().sura, 2); // juz 3 starts at 2:253
    EXPECT_EQ(rows.front().aya, 253);
}

TEST_F(DatabaseTest, OneAyaWithEveryColumn) {
    RecordView view(store);
    view.setConnectionString(connection());
    view.setRecordSource(catalogue::oneAya(262)); // 2:255
    view.refresh();
    ASSERT_FALSE(view.eof());
    EXPECT_EQ(view.field(u"soraano"), QStringLiteral("2"));
    EXPECT_EQ(view.field(u"ayaano"), QStringLiteral("255"));
    EXPECT_EQ(view.field(u"chapterNO"), QStringLiteral("3"));
    EXPECT_EQ(view.field(u"pageno"), QStringLiteral("42"));
    EXPECT_TRUE(view.field(u"ayaa").startsWith(QStringLiteral(
        "\u0627\u0644\u0644\u0651\u064E\u0647\u064F \u0644\u0627 \u0625\u0650\u0644\u0640\u0670")));
    EXPECT_TRUE(view.field(u"AyaaIndex").startsWith(QStringLiteral(" الله لا اله الا هو ")));
    EXPECT_FALSE(view.field(u"taf").isEmpty());
    EXPECT_TRUE(view.field(u"nosuchcolumn").isEmpty());
    view.moveNext();
    EXPECT_TRUE(view.eof());
    EXPECT_TRUE(view.field(u"ayaa").isEmpty());
}

TEST_F(DatabaseTest, ScopedFormsStayInTheirScope) {
    const QString word = QStringLiteral("الله");
    for (const Row& row : walk(catalogue::wordInJuz(30, word))) {
        EXPECT_EQ(row.juz, 30);
    }
    for (const Row& row : walk(catalogue::partInJuzRange(2, 4, word))) {
        EXPECT_GE(row.juz, 2);
        EXPECT_LE(row.juz, 4);
    }
    const auto suraRange = walk(catalogue::wordInSuraRange(2, 5, word));
    ASSERT_FALSE(suraRange.empty());
    EXPECT_TRUE(ascending(suraRange));
    for (const Row& row : suraRange) {
        EXPECT_GE(row.sura, 2);
        EXPECT_LE(row.sura, 5);
    }
    for (const Row& row : walk(catalogue::partInSura(112, word))) {
        EXPECT_EQ(row.sura, 112);
    }
    EXPECT_EQ(walk(catalogue::wordInSura(112, word)).size(), 2u); // 112:1 and 112:2
    EXPECT_TRUE(walk(catalogue::wordInJuz(0, word)).empty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DatabaseTest, StandAloneWordVersusPartOfAWord) {
    // "الرحيم" stands alone in 1:1 and 1:3; "رحيم" occurs only inside longer
    // words in sura 1.
    EXPECT_EQ(ids(catalogue::wordInSura(1, QStringLiteral("الرحيم"))), (std::vector<int>{1, 3}));
    EXPECT_TRUE(ids(catalogue::wordInSura(1, QStringLiteral("رحيم"))).empty());
    EXPECT_EQ(ids(catalogue::partInSura(1, QStringLiteral("رحيم"))), (std::vector<int>{1, 3}));
}

TEST_F(DatabaseTest, FirstAndLastWordsAreFoundStandAlone) {
    EXPECT_EQ(ids(catalogue::wordInSura(1, QStringLiteral("بسم"))), (std::vector<int>{1}));
    EXPECT_EQ(ids(catalogue::wordInSura(1, QStringLiteral("العالمين"))), (std::vector<int>{2}));
    // A phrase spanning the aya's whole text.
    EXPECT_EQ(ids(catalogue::wordInSura(112, QStringLiteral("الله الصمد"))),
              (std::vector<int>{6223}));
}

TEST_F(DatabaseTest, FoldedSpellingsFindTheSameAyas) {
    const auto plain = ids(catalogue::wordInWholeText(QStringLiteral("بسم")));
    EXPECT_EQ(ids(catalogue::wordInWholeText(QStringLiteral("بِسْمِ"))), plain);
    EXPECT_EQ(ids(catalogue::wordInWholeText(QStringLiteral("إله"))),
              ids(catalogue::wordInWholeText(QStringLiteral("اله"))));
    const auto salah = ids(catalogue::wordInWholeText(QStringLiteral("الصلاة")));
    EXPECT_FALSE(salah.empty());
    EXPECT_EQ(ids(catalogue::wordInWholeText(QStringLiteral("الصلاه"))), salah);
}

TEST_F(DatabaseTest, QuotesCannotChangeTheQuery) {
    EXPECT_TRUE(walk(catalogue::partInWholeText(QStringLiteral("x' OR '1'='1"))).empty());
    EXPECT_TRUE(walk(catalogue::wordInWholeText(QStringLiteral("'"))).empty());
    EXPECT_TRUE(messages.isEmpty());
    // Pattern characters keep their meaning.
    EXPECT_EQ(walk(catalogue::partInSura(1, QStringLiteral("%"))).size(), 7u);
    EXPECT_EQ(ids(catalogue::wordInSura(112, QStringLiteral("الصم_"))), (std::vector<int>{6223}));
}

TEST_F(DatabaseTest, ViewsShareOneConnection) {
    EXPECT_EQ(store.connect(connection()), store.connect(connection()));
}

TEST_F(DatabaseTest, MalformedQueryIsReportedOnceAndEndsTheWalk) {
    EXPECT_TRUE(walk(QStringLiteral("SELECT *  FROM Ayat where '")).empty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(kDatabase)) << messages[0].toStdString();
}

TEST_F(DatabaseTest, TheFileIsOpenedReadOnly) {
    auto connection = store.connect(this->connection());
    ASSERT_NE(connection, nullptr);
    EXPECT_NE(sqlite3_exec(connection->handle(), "DELETE FROM Ayat", nullptr, nullptr, nullptr),
              SQLITE_OK);
}

class BrokenDatabaseTest : public DatabaseTest {
protected:
    QTemporaryDir folder;

    QString copyWith(const std::function<void(QByteArray&)>& damage) {
        QFile source(kDatabase);
        EXPECT_TRUE(source.open(QIODevice::ReadOnly));
        QByteArray bytes = source.readAll();
        damage(bytes);
        QFile target(folder.filePath(QStringLiteral("zarqen.zq")));
        EXPECT_TRUE(target.open(QIODevice::WriteOnly));
        target.write(bytes);
        return buildConnectionString(folder.path());
    }

    void expectOneReportedFailure(const QString& connectionString) {
        messages.clear();
        EXPECT_TRUE(walk(catalogue::wholeSuraInOrder(1), connectionString).empty());
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("تعذرت قراءة ملف قاعدة البيانات")));
        EXPECT_TRUE(messages[0].contains(QStringLiteral("zarqen.zq")));
    }
};

TEST_F(BrokenDatabaseTest, MissingFile) {
    expectOneReportedFailure(buildConnectionString(folder.path()));
    EXPECT_TRUE(messages[0].contains(QStringLiteral("unable to open")));
}

TEST_F(BrokenDatabaseTest, WrongPassword) {
    copyWith([](QByteArray&) {});
    QString wrong = buildConnectionString(folder.path());
    wrong.replace(QStringLiteral("zqtwn8461937"), QStringLiteral("zqtwn8461938"));
    expectOneReportedFailure(wrong);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("not a database")));
}

TEST_F(BrokenDatabaseTest, TruncatedFile) {
    expectOneReportedFailure(copyWith([](QByteArray& bytes) { bytes.truncate(512); }));
}

TEST_F(BrokenDatabaseTest, NotADatabase) {
    expectOneReportedFailure(copyWith([](QByteArray& bytes) { bytes.fill('x', 8192); }));
}

TEST_F(BrokenDatabaseTest, TamperedPages) {
    // Flip bytes throughout the file: every page fails its authentication.
    expectOneReportedFailure(copyWith([](QByteArray& bytes) {
        for (qsizetype i = 100; i < bytes.size(); i += 997) {
            bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
        }
    }));
}
