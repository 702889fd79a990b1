#include "catalogue.h"
#include "record_view.h"
#include "scripture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

using namespace velmor::store;

namespace {

const QString kDatabase = QStringLiteral(VELMOR_TEST_DATABASE);

class DatabaseTest : public ::testing::Test {
protected:
    Store store{[this](const QString& message) { messages.append(message); }};
    QStringList messages;

    QString connection() const {
        return buildConnectionString(QFileInfo(kDatabase).absolutePath());
    }

    // Runs a query through a fresh view: the columns of each row in turn.
    QStringList values(const QString& sql, const QStringList& columns,
                       const QString& connectionString = {}) {
        RecordView view(store);
        view.setConnectionString(connectionString.isEmpty() ? connection() : connectionString);
        view.setRecordSource(sql);
        view.refresh();
        QStringList result;
        for (; !view.eof(); view.moveNext()) {
            for (const QString& column : columns) {
                result.append(view.field(column));
            }
        }
        return result;
    }

    std::vector<int> ids(const QString& sql, const QString& connectionString = {}) {
        std::vector<int> result;
        for (const QString& id : values(sql, {QStringLiteral("ID")}, connectionString)) {
            result.push_back(id.toInt());
        }
        return result;
    }
};

} // namespace

TEST_F(DatabaseTest, AyaAndTafsirTextsAreVerbatimCopies) {
    const auto texts = velmor::test::readPackageArray(VELMOR_TEST_TEXT_JSON);
    const auto tafsir = velmor::test::readPackageArray(VELMOR_TEST_TAFSIR_JSON);

    const QStringList rows =
        values(QStringLiteral("SELECT *  FROM Ayat order by ID"), {"ID", "ayaa", "taf"});
    ASSERT_EQ(rows.size(), 3 * static_cast<qsizetype>(texts.size()));
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const auto at = static_cast<qsizetype>(3 * row);
        ASSERT_EQ(rows[at].toULongLong(), row + 1); // in reading order
        ASSERT_EQ(rows[at + 1].toStdString(), texts[row].get<std::string>()) << row + 1;
        ASSERT_EQ(rows[at + 2].toStdString(), tafsir[row].get<std::string>()) << row + 1;
    }
}

// Whole searches are compared with an independent search in the search
// tests; these are the edges of the forms.
// Any folder name works: the path is read back whole from the connection
// string, whatever the name holds.
TEST_F(DatabaseTest, OpensFromAProgramFolderOfAnyName) {
    QTemporaryDir parent;
    for (const QString name : {"a;b", "x=y;Data Source=z", "with blanks", "مجلد عربي", "trailing ",
                               ";Persist Security Info=False"}) {
        const QString folder = parent.filePath(name);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::link(kDatabase, folder + QStringLiteral("/zarqen.zq")));
        EXPECT_EQ(values(catalogue::oneAya(6222), {"ayaa"}, buildConnectionString(folder)),
                  QStringList{velmor::test::packageAyaText(6222)})
            << name.toStdString();
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(DatabaseTest, TheFoldingLikeMatchesWordsPartsAndPatterns) {
    using namespace catalogue;
    const std::vector<std::pair<QString, std::vector<int>>> cases{
        // "الرحيم" stands alone in 1:1 and 1:3; "رحيم" only inside longer words.
        {wordInSura(1, QStringLiteral("رحيم")), {}},
        {partInSura(1, QStringLiteral("رحيم")), {1, 3}},
        // First and last words of an aya, a phrase that is the whole aya.
        {wordInSura(1, QStringLiteral("بسم")), {1}},
        {wordInSura(1, QStringLiteral("العالمين")), {2}},
        {wordInSura(112, QStringLiteral("الله الصمد")), {6223}},
        // Quotes cannot end the literal; % and _ keep their meaning.
        {partInWholeText(QStringLiteral("x' OR '1'='1")), {}},
        {wordInWholeText(QStringLiteral("'")), {}},
        {partInSura(1, QStringLiteral("%")), {1, 2, 3, 4, 5, 6, 7}},
        {wordInSura(112, QStringLiteral("الصَّم_")), {6223}},
        {wordInJuz(0, QStringLiteral("الله")), {}},
    };
    for (const auto& [sql, expected] : cases) {
        EXPECT_EQ(ids(sql), expected) << sql.toStdString();
    }
    EXPECT_TRUE(messages.isEmpty());
}

// The queries read a copy of the table held in memory. Each is also run on
// the file's own table, where SQLite itself decides every condition.
TEST_F(DatabaseTest, TheCopyInMemoryAnswersAsTheFilesTable) {
    const QStringList columns{"ID",     "soraano",   "ayaano", "chapterNO",
                              "pageno", "AyaaIndex", "ayaa",   "taf"};
    const QString select = QStringLiteral("SELECT * FROM Ayat where ");
    const QStringList queries{
        catalogue::wordInWholeText(QStringLiteral("الله")),
        catalogue::partInJuzRange(2, 3, QStringLiteral("من")),
        catalogue::wordInSuraRange(2, 5, QStringLiteral("إله")),
        catalogue::partInJuz(30, QStringLiteral("ر_ب")),
        catalogue::wholeJuz(30),
        catalogue::oneAya(6236),
        select + QStringLiteral("ID like '62%' order by ID"),
        select + QStringLiteral("ID = 7 or ID >= 6230 order by ID desc"),
        select + QStringLiteral("soraano = '2' and ayaano < 4"),
        select + QStringLiteral("soraano > 110 and pageno <= 604 and chapterNO between 30 and 30"),
        select + QStringLiteral("AyaaIndex like '%' || ' الله ' || '%' and soraano = 112"),
        select + QStringLiteral("ayaa like '%ٱلصَّمَدُ%' or taf like '%الصمد%'"),
        select + QStringLiteral("AyaaIndex like NULL or ID like 'x'"),
    };
    for (const QString& sql : queries) {
        QString onFile = sql;
        onFile.replace(QStringLiteral("FROM Ayat"), QStringLiteral("FROM main.Ayat"));
        const QStringList expected = values(onFile, columns);
        const QStringList answered = values(sql, columns);
        EXPECT_TRUE(answered == expected) << sql.toStdString() << ": " << answered.size() / 8
                                          << " rows, the file's table " << expected.size() / 8;
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(DatabaseTest, MalformedQueryIsReportedOnceAndEndsTheWalk) {
    EXPECT_TRUE(ids(QStringLiteral("SELECT *  FROM Ayat where '")).empty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(kDatabase)) << messages[0].toStdString();
}

class BrokenDatabaseTest : public DatabaseTest {
protected:
    QTemporaryDir folder;

    // The file the statements make is refused, in one Arabic sentence that
    // names it.
    void expectRefused(const std::string& sql);

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
        EXPECT_TRUE(ids(catalogue::wholeSuraInOrder(1), connectionString).empty());
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("تعذرت قراءة ملف قاعدة البيانات")));
        EXPECT_TRUE(messages[0].contains(QStringLiteral("zarqen.zq")));
    }
};

TEST_F(BrokenDatabaseTest, EachUnusableFileIsReportedOnceWithTheEnginesWords) {
    expectOneReportedFailure(buildConnectionString(folder.path()));
    EXPECT_TRUE(messages[0].contains(QStringLiteral("unable to open")));

    copyWith([](QByteArray&) {});
    QString wrong = buildConnectionString(folder.path());
    wrong.replace(QLatin1String(kDatabasePassword), QStringLiteral("another"));
    expectOneReportedFailure(wrong);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("not a database")));

    const std::vector<std::function<void(QByteArray&)>> damages{
        [](QByteArray& bytes) { bytes.truncate(512); },
        // One page in the middle: the table is read whole at opening.
        [](QByteArray& bytes) {
            const qsizetype middle = bytes.size() / 2;
            bytes[middle] = static_cast<char>(bytes[middle] ^ 0x5A);
        },
        // Bytes flipped throughout: every page fails its authentication.
        [](QByteArray& bytes) {
            for (qsizetype i = 100; i < bytes.size(); i += 997) {
                bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
            }
        },
    };
    for (const auto& damage : damages) {
        expectOneReportedFailure(copyWith(damage));
    }
}

// An encrypted file of the right key whose table is made by the given SQL.
QString writeDatabase(const QString& folder, const char* sql) {
    const QString path = QDir(folder).filePath(QStringLiteral("zarqen.zq"));
    QFile::remove(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    const std::string statements =
        keyStatements(QLatin1String(kDatabasePassword)) + ' ' + std::string(sql);
    EXPECT_EQ(sqlite3_exec(db, statements.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
    return buildConnectionString(folder);
}

TEST_F(BrokenDatabaseTest, AFileThatLacksWhatIsReadIsUnusable) {
    constexpr char kColumns[] = "CREATE TABLE Ayat (ID INTEGER PRIMARY KEY, soraano, ayaano, "
                                "chapterNO, pageno, AyaaIndex, ayaa, taf);";
    // A usable file has al-Jalalayn's row and the Uthmani text's for each aya.
    constexpr char kJalalayn[] = "CREATE TABLE Jalalayn (ID INTEGER PRIMARY KEY, taf);"
                                 "INSERT INTO Jalalayn VALUES (1, 'j');"
                                 "CREATE TABLE Uthmani (ID INTEGER PRIMARY KEY, ayaa);"
                                 "INSERT INTO Uthmani VALUES (1, 'u');";
    const std::string full = std::string(kColumns) + kJalalayn +
                             "INSERT INTO Ayat VALUES (1, 1, 1, 1, 1, ' بسم ', 'بِسْمِ', 't');";
    // The same file whole is read: the check finds what a usable file has.
    EXPECT_EQ(ids(catalogue::wholeSuraInOrder(1), writeDatabase(folder.path(), full.c_str())),
              std::vector<int>{1});
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    const std::string withNull =
        std::string(kColumns) + "INSERT INTO Ayat VALUES (1, 1, NULL, 1, 1, ' بسم ', 'x', 't');";
    for (const std::string& sql :
         {std::string(kColumns), withNull,
          std::string(
              "CREATE TABLE Ayat (ID INTEGER PRIMARY KEY, soraano, ayaano, chapterNO, "
              "pageno, AyaaIndex, taf); INSERT INTO Ayat VALUES (1, 1, 1, 1, 1, ' ', 't');"),
          std::string("CREATE TABLE Other (x);"),
          // Values of the wrong kind, and places that do not exist.
          std::string(kColumns) + "INSERT INTO Ayat VALUES (1, '1', 1, 1, 1, ' ', 'x', 't');",
          std::string(kColumns) + "INSERT INTO Ayat VALUES (1, 1, 1, 1, 2.5, ' ', 'x', 't');",
          std::string(kColumns) + "INSERT INTO Ayat VALUES (2, 1, 1, 1, 1, ' ', 'x', 't');",
          std::string(kColumns) + "INSERT INTO Ayat VALUES (1, 115, 1, 1, 1, ' ', 'x', 't');",
          std::string(kColumns) + "INSERT INTO Ayat VALUES (1, 1, 8, 1, 1, ' ', 'x', 't');",
          std::string(
              "CREATE TABLE Ayat (ID, soraano, ayaano, chapterNO, pageno, AyaaIndex, ayaa, taf);"
              "INSERT INTO Ayat VALUES (1, 1, 1, 1, 1, ' ', 'x', 't');"
              "INSERT INTO Ayat VALUES (1, 1, 2, 1, 1, ' ', 'y', 't');")}) {
        expectRefused(sql + kJalalayn);
    }
    // Two ayas whose places a crafted file gets wrong: each crashed or
    // silently failed a reading command before the check refused it.
    const auto twoAyas = [&](const char* first, const char* second) {
        return std::string(kColumns) + "INSERT INTO Ayat VALUES " + first + ", " + second + ";" +
               "CREATE TABLE Jalalayn (ID INTEGER PRIMARY KEY, taf);"
               "INSERT INTO Jalalayn VALUES (1, 'j'), (2, 'k');"
               "CREATE TABLE Uthmani (ID INTEGER PRIMARY KEY, ayaa);"
               "INSERT INTO Uthmani VALUES (1, 'u'), (2, 'v');";
    };
    for (const std::string& sql : {
             twoAyas("(1, 1, 1, 1, 1, ' ', 'x', 't')", "(2, 1, 2, 1, 2147483647, ' ', 'y', 't')"),
             twoAyas("(1, 1, 1, 1, 0, ' ', 'x', 't')", "(2, 1, 2, 1, 1, ' ', 'y', 't')"),
             twoAyas("(1, 1, 1, 1, 2, ' ', 'x', 't')", "(2, 1, 2, 1, 1, ' ', 'y', 't')"),
             twoAyas("(1, 1, 1, 1, 1, ' ', 'x', 't')", "(2, 3, 1, 1, 1, ' ', 'y', 't')"),
             twoAyas("(1, 1, 1, 1, 1, ' ', 'x', 't')", "(2, 1, 3, 1, 1, ' ', 'y', 't')"),
             twoAyas("(1, 1, 0, 1, 1, ' ', 'x', 't')", "(2, 1, 1, 1, 1, ' ', 'y', 't')"),
             twoAyas("(1, 1, 1, 2, 1, ' ', 'x', 't')", "(2, 1, 2, 1, 1, ' ', 'y', 't')"),
             twoAyas("(1, 1, 1, 1, 1, ' ', 'x', 't')", "(2, 1, 2, 31, 1, ' ', 'y', 't')"),
             twoAyas("(1, 1, 1, 0, 1, ' ', 'x', 't')", "(2, 1, 2, 1, 1, ' ', 'y', 't')"),
             twoAyas("(1, 2, 1, 1, 1, ' ', 'x', 't')", "(2, 2, 2, 1, 1, ' ', 'y', 't')"),
             // Al-Jalalayn missing, short, numbered otherwise, or without a text.
             std::string(kColumns) + "INSERT INTO Ayat VALUES (1, 1, 1, 1, 1, ' ', 'x', 't');",
             full + "INSERT INTO Ayat VALUES (2, 1, 2, 1, 1, ' ', 'y', 't');",
             std::string(kColumns) + "INSERT INTO Ayat VALUES (1, 1, 1, 1, 1, ' ', 'x', 't');"
                                     "CREATE TABLE Jalalayn (ID INTEGER PRIMARY KEY, taf);"
                                     "INSERT INTO Jalalayn VALUES (2, 'j');",
             std::string(kColumns) + "INSERT INTO Ayat VALUES (1, 1, 1, 1, 1, ' ', 'x', 't');"
                                     "CREATE TABLE Jalalayn (ID INTEGER PRIMARY KEY, taf);"
                                     "INSERT INTO Jalalayn VALUES (1, NULL);",
             // The Uthmani text missing or empty.
             std::string(kColumns) + "INSERT INTO Ayat VALUES (1, 1, 1, 1, 1, ' ', 'x', 't');"
                                     "CREATE TABLE Jalalayn (ID INTEGER PRIMARY KEY, taf);"
                                     "INSERT INTO Jalalayn VALUES (1, 'j');",
             std::string(kColumns) + "INSERT INTO Ayat VALUES (1, 1, 1, 1, 1, ' ', 'x', 't');"
                                     "CREATE TABLE Jalalayn (ID INTEGER PRIMARY KEY, taf);"
                                     "INSERT INTO Jalalayn VALUES (1, 'j');"
                                     "CREATE TABLE Uthmani (ID INTEGER PRIMARY KEY, ayaa);"
                                     "INSERT INTO Uthmani VALUES (1, '');",
         }) {
        expectRefused(sql);
    }
}

void BrokenDatabaseTest::expectRefused(const std::string& sql) {
    Store fresh([this](const QString& message) { messages.append(message); });
    RecordView view(fresh);
    view.setConnectionString(writeDatabase(folder.path(), sql.c_str()));
    view.setRecordSource(catalogue::oneAya(1));
    messages.clear();
    view.refresh();
    EXPECT_TRUE(view.eof()) << sql;
    ASSERT_EQ(messages.size(), 1) << sql;
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("تعذرت قراءة ملف قاعدة البيانات \"") +
                                       folder.filePath(QStringLiteral("zarqen.zq"))))
        << sql;
}

TEST_F(BrokenDatabaseTest, AFifoInThePlaceOfTheFileIsReportedAtOnce) {
    const QString fifo = folder.filePath(QStringLiteral("zarqen.zq"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    expectOneReportedFailure(buildConnectionString(folder.path()));
    EXPECT_TRUE(messages[0].contains(QStringLiteral("not a regular file")));
}
