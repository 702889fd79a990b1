#include "library.h"
#include "library_file.h"
#include "library_support.h"
#include "run_program.h"
#include "sqlite_db.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace velmor;
using namespace velmor::library;
using test::TemporaryLibrary;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList asideFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("library.db.damaged-*")}, QDir::Files);
}

// A library of a few entries, its bytes and its file closed.
QByteArray aWrittenLibrary(const TemporaryLibrary& file) {
    {
        auto library = file.open();
        EXPECT_TRUE(library->addBookmark({2, 255}, QStringLiteral("المفضلة")));
        for (int aya = 1; aya <= 200; ++aya) {
            EXPECT_TRUE(library->setNote({2, aya}, QString(300, u'ن')));
        }
    }
    return test::fileBytes(file.path);
}

} // namespace

TEST(LibraryFile, IsAPlainSqliteFileInWalModeAtItsVersion) {
    TemporaryLibrary file;
    ASSERT_TRUE(file.open());
    EXPECT_EQ(test::askFile(file.path, "PRAGMA user_version"), QString::number(kSchemaVersion));
    EXPECT_EQ(test::askFile(file.path, "PRAGMA journal_mode"), QStringLiteral("wal"));
    EXPECT_EQ(test::askFile(file.path, "SELECT name FROM collections"), QStringLiteral("المفضلة"));
}

// Whatever is in the file's place that is not a library is moved aside,
// never deleted, and a new library is started; the bytes aside are the
// bytes that were there.
TEST(LibraryFile, MovesWhatIsNotALibraryAsideAndStartsANewOne) {
    TemporaryLibrary reference;
    const QByteArray whole = aWrittenLibrary(reference);
    ASSERT_GT(whole.size(), 8192);
    // A file that is not SQLite at all is never opened by the engine, so a
    // journal beside it is moved with it as it was.
    const struct {
        const char* what;
        QByteArray bytes;
        bool sqlite;
    } cases[] = {
        {"garbage", QByteArray(5000, 'x'), false},
        {"a text file", QByteArray("bookmarks: 2:255\n"), false},
        {"the header only", whole.left(100), true},
        {"cut short", whole.left(whole.size() / 2), true},
        {"a page scrambled", whole.left(4096 * 2) + QByteArray(4096, '\xff') + whole.mid(4096 * 3),
         true},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        TemporaryLibrary file;
        writeFile(file.path, each.bytes);
        if (!each.sqlite) {
            writeFile(file.path + "-wal", QByteArray("stale journal"));
        }
        Library::Opened opened = Library::open(file.path);
        ASSERT_TRUE(opened.library);
        EXPECT_FALSE(opened.library->readOnly());
        const QStringList aside = asideFiles(file.folder.path());
        ASSERT_EQ(aside.size(), each.sqlite ? 1 : 2) << aside.join(u' ').toStdString();
        const QString moved = file.folder.filePath(aside.front());
        EXPECT_EQ(test::fileBytes(moved), each.bytes);
        if (!each.sqlite) {
            EXPECT_EQ(test::fileBytes(moved + "-wal"), QByteArray("stale journal"));
        }
        EXPECT_TRUE(opened.notice.contains(QDir::toNativeSeparators(file.path)));
        EXPECT_TRUE(opened.notice.contains(QDir::toNativeSeparators(moved)));
        EXPECT_TRUE(QRegularExpression(QStringLiteral("\\.damaged-\\d{8}-\\d{6}$"))
                        .match(aside.front())
                        .hasMatch());
        EXPECT_TRUE(opened.library->bookmarks().value().empty());
        EXPECT_TRUE(opened.library->addBookmark({1, 1}, QStringLiteral("المفضلة")));
    }
}

// A folder in the file's place, or a file that may not be read: nothing is
// moved or started, the program goes on without a library, and says so.
TEST(LibraryFile, LeavesWhatItCannotOpenAlone) {
    TemporaryLibrary folder;
    ASSERT_TRUE(QDir().mkpath(folder.path + "/inside"));
    Library::Opened opened = Library::open(folder.path);
    EXPECT_FALSE(opened.library);
    EXPECT_TRUE(opened.notice.contains(QDir::toNativeSeparators(folder.path)));
    EXPECT_TRUE(QFileInfo(folder.path + "/inside").isDir());
    EXPECT_TRUE(asideFiles(folder.folder.path()).isEmpty());

    // Root reads any file: the library is opened by an unprivileged user.
    QTemporaryDir home;
    const QString path = home.filePath(QStringLiteral("Velmor/library.db"));
    ASSERT_TRUE(Library::open(path).library->addBookmark({2, 255}, firstCollectionName()));
    const QByteArray whole = test::fileBytes(path);
    const auto others = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                        QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(home.path(), others));
    ASSERT_TRUE(QFile::setPermissions(home.filePath(QStringLiteral("Velmor")), others));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const test::ProgramRun run = test::runProgram(
        QStringLiteral("setpriv"),
        {"--reuid=65534", "--regid=65534", "--clear-groups", "env", "XDG_DATA_HOME=" + home.path(),
         QStringLiteral(VELMOR_TEST_PROGRAM), "--bookmarks"});
    if (run.exitCode == -1 || run.err.contains("setpriv:")) {
        GTEST_SKIP() << "setpriv cannot run here: " << run.err.toStdString();
    }
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(path)) << run.err.toStdString();
    EXPECT_EQ(test::fileBytes(path), whole);
    EXPECT_TRUE(asideFiles(home.filePath(QStringLiteral("Velmor"))).isEmpty());
}

// A file of a newer version is read, never written, and left as it was.
TEST(LibraryFile, OpensANewerVersionReadOnly) {
    TemporaryLibrary file;
    aWrittenLibrary(file);
    {
        auto library = file.open();
        ASSERT_TRUE(library->change(
            [&]() -> Done { return execute(library->handle(), "PRAGMA user_version = 99"); }));
    }
    const QByteArray before = test::fileBytes(file.path);
    Library::Opened opened = Library::open(file.path);
    ASSERT_TRUE(opened.library);
    EXPECT_TRUE(opened.library->readOnly());
    EXPECT_TRUE(opened.notice.contains(QDir::toNativeSeparators(file.path)));
    EXPECT_EQ(opened.library->bookmarks().value().size(), 1U);
    EXPECT_EQ(opened.library->notes().value().size(), 200U);
    const Done refused = opened.library->addBookmark({1, 1}, QStringLiteral("المفضلة"));
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.reason().contains(QDir::toNativeSeparators(file.path)));
    EXPECT_FALSE(opened.library->setNote({1, 1}, QStringLiteral("x")));
    opened.library.reset();
    EXPECT_EQ(test::fileBytes(file.path), before);
    EXPECT_EQ(test::askFile(file.path, "PRAGMA user_version"), QStringLiteral("99"));
}

// From every earlier version to this one, what the file held stays.
TEST(LibraryFile, MigratesFromEveryEarlierVersion) {
    for (int from = 0; from < kSchemaVersion; ++from) {
        SCOPED_TRACE(from);
        TemporaryLibrary file;
        {
            sqlite3* raw = nullptr;
            ASSERT_EQ(sqlite3_open(file.path.toUtf8().constData(), &raw), SQLITE_OK);
            Handle db(raw);
            ASSERT_TRUE(migrate(db.get(), from));
            ASSERT_TRUE(execute(db.get(), "CREATE TABLE IF NOT EXISTS keepsake(x)"));
            ASSERT_TRUE(execute(db.get(), "INSERT INTO keepsake VALUES('kept')"));
        }
        auto library = file.open();
        ASSERT_TRUE(library);
        EXPECT_EQ(test::askFile(file.path, "PRAGMA user_version"), QString::number(kSchemaVersion));
        EXPECT_EQ(test::askFile(file.path, "SELECT x FROM keepsake"), QStringLiteral("kept"));
        EXPECT_TRUE(library->addBookmark({2, 1}, firstCollectionName()));
        EXPECT_TRUE(library->setNote({2, 1}, QStringLiteral("ملاحظة")));
        EXPECT_TRUE(
            library->recordSearch({QStringLiteral("الله"), false, QStringLiteral("all"), {}}));
    }
}

TEST(LibraryFile, CopiesItselfOnceADayAndKeepsTheLastSeven) {
    TemporaryLibrary file;
    aWrittenLibrary(file);
    auto library = file.open();
    const QDate first(2026, 11, 20);
    for (int day = 0; day < 10; ++day) {
        EXPECT_TRUE(backUpDaily(library->handle(), file.path, first.addDays(day)).value());
        EXPECT_FALSE(backUpDaily(library->handle(), file.path, first.addDays(day)).value());
    }
    const QStringList copies =
        QDir(file.folder.path()).entryList({QStringLiteral("library.db.backup-*")}, QDir::Files);
    ASSERT_EQ(copies.size(), kBackupsKept) << copies.join(u' ').toStdString();
    EXPECT_EQ(copies.front(), QStringLiteral("library.db.backup-20261123"));
    EXPECT_EQ(copies.back(), QStringLiteral("library.db.backup-20261129"));
    const QString copy = file.folder.filePath(copies.back());
    EXPECT_EQ(test::askFile(copy, "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(test::askFile(copy, "SELECT count(*) FROM notes"), QStringLiteral("200"));
}

// On a full disk a change fails, names the file, and the library stays as
// it was; room made again, the next change goes in.
TEST(LibraryFile, AFullDiskLosesNothingAlreadyKept) {
    TemporaryLibrary file;
    const QString small = file.folder.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(small));
    if (test::runProgram(QStringLiteral("mount"),
                         {"-t", "tmpfs", "-o", "size=256k", "tmpfs", small})
            .exitCode != 0) {
        GTEST_SKIP() << "this machine does not let the test mount a small file system";
    }
    const QString path = small + QStringLiteral("/library.db");
    {
        Library::Opened opened = Library::open(path);
        ASSERT_TRUE(opened.library);
        Library& library = *opened.library;
        ASSERT_TRUE(library.setNote({1, 1}, QStringLiteral("محفوظة")));
        ASSERT_TRUE(library.addBookmark({1, 2}, firstCollectionName()));
        // Fill what is left of the disk.
        QFile filler(small + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        const Done full = library.setNote({2, 255}, QString(200000, u'م'));
        EXPECT_FALSE(full);
        EXPECT_TRUE(full.reason().contains(QDir::toNativeSeparators(path)))
            << full.reason().toStdString();
        EXPECT_EQ(library.note({1, 1}).value()->text, QStringLiteral("محفوظة"));
        EXPECT_FALSE(library.note({2, 255}).value().has_value());
        EXPECT_EQ(library.bookmarks().value().size(), 1U);
        filler.close();
        ASSERT_TRUE(QFile::remove(filler.fileName()));
        const Done after = library.setNote({2, 255}, QStringLiteral("بعد"));
        EXPECT_TRUE(after) << after.reason().toStdString();
    }
    EXPECT_EQ(test::askFile(path, "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(test::askFile(path, "SELECT count(*) FROM notes"), QStringLiteral("2"));
    test::runProgram(QStringLiteral("umount"), {small});
}
