#include "library_file.h"

#include "log.h"
#include "sqlite_db.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <sqlite3.h>

namespace velmor::library {

void CloseConnection::operator()(sqlite3* db) const {
    sqlite3_close_v2(db);
}

namespace {

// Step k takes version k - 1 to k. A collection is one colour of the
// palette; a bookmark is an aya in a collection; a note is an aya's; the
// place read last and the last collection used are kept as named values.
constexpr std::array<const char*, kSchemaVersion> kSteps{
    R"(CREATE TABLE collections(
         id INTEGER PRIMARY KEY,
         name TEXT NOT NULL UNIQUE,
         color TEXT NOT NULL,
         position INTEGER NOT NULL);
       CREATE TABLE bookmarks(
         id INTEGER PRIMARY KEY,
         sura INTEGER NOT NULL,
         aya INTEGER NOT NULL,
         collection INTEGER NOT NULL REFERENCES collections(id) ON DELETE CASCADE,
         label TEXT NOT NULL DEFAULT '',
         created TEXT NOT NULL,
         UNIQUE(sura, aya, collection));
       CREATE INDEX bookmarks_by_collection ON bookmarks(collection);
       CREATE TABLE notes(
         sura INTEGER NOT NULL,
         aya INTEGER NOT NULL,
         text TEXT NOT NULL,
         updated TEXT NOT NULL,
         PRIMARY KEY(sura, aya));
       CREATE TABLE history(
         id INTEGER PRIMARY KEY,
         text TEXT NOT NULL,
         partial INTEGER NOT NULL,
         scope TEXT NOT NULL,
         at TEXT NOT NULL,
         UNIQUE(text, partial, scope));
       CREATE TABLE state(key TEXT PRIMARY KEY, value TEXT NOT NULL);
       INSERT INTO collections(name, color, position) VALUES('المفضلة', '#2e7d32', 0);)"};

bool isDamage(sqlite3* db) {
    const int code = sqlite3_errcode(db) & 0xff;
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

QString shown(const QString& path) {
    return QStringLiteral("«") + QDir::toNativeSeparators(path) + QStringLiteral("»");
}

// Moves the file and its journal aside under one name.
Outcome<QString> moveAside(const QString& path, const QDateTime& now) {
    QString aside = damagedName(path, now);
    for (int k = 2; QFileInfo::exists(aside); ++k) {
        aside = damagedName(path, now) + QStringLiteral("-%1").arg(k);
    }
    if (!QFile::rename(path, aside)) {
        return Outcome<QString>::failed(QStringLiteral("the file could not be moved aside"));
    }
    for (const char* journal : {"-wal", "-shm"}) {
        if (QFileInfo::exists(path + QLatin1String(journal))) {
            (void)QFile::rename(path + QLatin1String(journal), aside + QLatin1String(journal));
        }
    }
    return aside;
}

enum class Check { Usable, Damaged, Newer, Unusable };

// A file that does not begin as an SQLite file is known damaged before the
// engine opens it (which would take a journal beside it for its own).
bool beginsAsSqlite(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0) {
        return true; // missing, empty or unreadable: the engine says
    }
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}

// Reads the version, sets the journal and takes the file to this version.
Check prepare(sqlite3* db, QString& why) {
    sqlite3_busy_timeout(db, 5000);
    const Outcome<qint64> version = integerOf(db, "PRAGMA user_version");
    if (!version) {
        why = version.reason();
        return isDamage(db) ? Check::Damaged : Check::Unusable;
    }
    if (*version > kSchemaVersion) {
        (void)execute(db, "PRAGMA query_only = 1");
        return Check::Newer;
    }
    {
        Statement check(db, "PRAGMA quick_check");
        const bool whole = check.next() && check.text(0) == QLatin1String("ok");
        if (!whole) {
            why = check.failure().isEmpty() ? check.text(0) : check.failure();
            return Check::Damaged;
        }
    }
    Done ready = execute(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL;"
                             "PRAGMA foreign_keys = ON");
    if (ready) {
        ready = migrate(db);
    }
    if (!ready) {
        why = ready.reason();
        return isDamage(db) ? Check::Damaged : Check::Unusable;
    }
    return Check::Usable;
}

Handle connect(const QString& path, QString& why) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Handle db(raw);
    if (rc != SQLITE_OK) {
        why = raw != nullptr ? engineError(raw) : QStringLiteral("out of memory");
        return nullptr;
    }
    return db;
}

QString unusableNotice(const QString& path, const QString& why) {
    qCInfo(velmorLibrary) << "the library cannot be used:" << path << why;
    return QStringLiteral("تعذر فتح ملف المكتبة %1، فلن تحفظ العلامات والملاحظات في هذه "
                          "الجلسة، وبقي الملف كما هو.")
        .arg(shown(path));
}

} // namespace

Done migrate(sqlite3* db, int toVersion) {
    const Outcome<qint64> at = integerOf(db, "PRAGMA user_version");
    if (!at) {
        return Done::failed(at.reason());
    }
    for (int version = static_cast<int>(*at) + 1; version <= toVersion; ++version) {
        Done stepped = inTransaction(db, [db, version] {
            Done made = execute(db, kSteps.at(static_cast<std::size_t>(version - 1)));
            if (made) {
                made = execute(
                    db,
                    QStringLiteral("PRAGMA user_version = %1").arg(version).toUtf8().constData());
            }
            return made;
        });
        if (!stepped) {
            return stepped;
        }
    }
    return done();
}

QString damagedName(const QString& path, const QDateTime& now) {
    return path + QStringLiteral(".damaged-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

OpenedFile openLibraryFile(const QString& path, const QDateTime& now) {
    OpenedFile opened;
    const QFileInfo file(path);
    if (file.exists() && !file.isFile()) {
        opened.notice = unusableNotice(path, QStringLiteral("not a regular file"));
        return opened;
    }
    if (!QDir().mkpath(file.absolutePath())) {
        opened.notice = unusableNotice(path, QStringLiteral("its folder cannot be made"));
        return opened;
    }
    QString why;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool sqlite = beginsAsSqlite(path);
        Handle db = sqlite ? connect(path, why) : nullptr;
        if (sqlite && !db) {
            break;
        }
        const Check check = sqlite ? prepare(db.get(), why) : Check::Damaged;
        if (check == Check::Damaged && attempt == 0) {
            db.reset();
            const Outcome<QString> aside = moveAside(path, now);
            if (!aside) {
                break;
            }
            qCInfo(velmorLibrary) << "the library was damaged:" << path << why;
            opened.notice = QStringLiteral("لم يكن ملف المكتبة %1 مكتبة سليمة، فنقل إلى %2 "
                                           "وبدأت مكتبة جديدة.")
                                .arg(shown(path), shown(*aside));
            continue;
        }
        if (check == Check::Usable || check == Check::Newer) {
            opened.readOnly = check == Check::Newer || sqlite3_db_readonly(db.get(), "main") == 1;
            if (check == Check::Newer) {
                opened.notice = QStringLiteral("ملف المكتبة %1 من إصدار أحدث من هذا البرنامج، "
                                               "فهو للقراءة فقط في هذه الجلسة.")
                                    .arg(shown(path));
            }
            opened.db = std::move(db);
            return opened;
        }
        break;
    }
    opened.notice = unusableNotice(path, why);
    return opened;
}

Outcome<bool> backUpDaily(sqlite3* db, const QString& path, const QDate& today) {
    const QFileInfo file(path);
    const QString prefix = file.fileName() + QStringLiteral(".backup-");
    const QString name = file.absolutePath() + u'/' + prefix + today.toString(u"yyyyMMdd");
    if (QFileInfo::exists(name)) {
        return false;
    }
    const QString partial = name + QStringLiteral(".partial");
    QFile::remove(partial); // a copy cut short by an earlier run
    QString why;
    Handle copy = connect(partial, why);
    bool copied = false;
    if (copy) {
        sqlite3_backup* backup = sqlite3_backup_init(copy.get(), "main", db, "main");
        copied = backup != nullptr && sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        copied = sqlite3_backup_finish(backup) == SQLITE_OK && copied;
        if (!copied) {
            why = engineError(copy.get());
        }
        copy.reset();
    }
    if (!copied || !QFile::rename(partial, name)) {
        QFile::remove(partial);
        return Outcome<bool>::failed(QStringLiteral("the daily copy was not made: ") + why);
    }
    QStringList copies = QDir(file.absolutePath())
                             .entryList({prefix + QStringLiteral("????????")}, QDir::Files,
                                        QDir::Name | QDir::Reversed);
    for (qsizetype k = kBackupsKept; k < copies.size(); ++k) {
        QFile::remove(file.absolutePath() + u'/' + copies[k]);
    }
    return true;
}

} // namespace velmor::library
