#include "database.h"

#include "ayat_table.h"
#include "catalogue.h"
#include "jet_like.h"
#include "log.h"
#include "table_check.h"

#include <QFileInfo>
#include <memory>
#include <sqlite3.h>

namespace velmor::store {

namespace {

QString lastError(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

bool execute(sqlite3* db, const QByteArray& sql, QString& error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        error = message ? QString::fromUtf8(message) : lastError(db);
        sqlite3_free(message);
        return false;
    }
    return true;
}

} // namespace

std::string keyStatements(const QString& password) {
    return "PRAGMA key = '" + catalogue::quoteSearchText(password).toStdString() +
           "'; PRAGMA kdf_iter = 4000; PRAGMA cipher_page_size = 4096;";
}

Outcome<std::unique_ptr<Connection>> Connection::open(const ConnectionTarget& target) {
    using Opened = Outcome<std::unique_ptr<Connection>>;
    QString providerError;
    // Only a regular file is opened: reading a FIFO or a device would wait
    // for a writer that never comes.
    const QFileInfo file(target.filePath);
    if (file.exists() && !file.isFile()) {
        providerError = QStringLiteral("not a regular file");
        return Opened::failed(providerError);
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(target.filePath.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        providerError = lastError(db);
        sqlite3_close(db);
        return Opened::failed(providerError);
    }
    // Reading the schema is the first access that needs the key: a wrong
    // password, a truncated or a foreign file fails here.
    if (!execute(db, QByteArray::fromStdString(keyStatements(target.password)), providerError) ||
        !execute(db, "SELECT count(*) FROM sqlite_master", providerError)) {
        sqlite3_close(db);
        return Opened::failed(providerError);
    }
    if (installJetLike(db) != SQLITE_OK) {
        providerError = lastError(db);
        sqlite3_close(db);
        return Opened::failed(providerError);
    }
    if (const Done installed = installAyatTable(db); !installed) {
        sqlite3_close(db);
        return Opened::failed(installed.reason());
    }
    sqlite3_int64 ayas = 0;
    if (sqlite3_stmt* count = nullptr; sqlite3_prepare_v2(db, "SELECT count(*) FROM main.Ayat", -1,
                                                          &count, nullptr) == SQLITE_OK) {
        ayas = sqlite3_step(count) == SQLITE_ROW ? sqlite3_column_int64(count, 0) : 0;
        sqlite3_finalize(count);
    }
    for (const auto& [table, column] : {std::pair{u"Jalalayn", u"taf"}, {u"Uthmani", u"ayaa"}}) {
        if (const Done whole =
                checkTextTable(db, QString::fromUtf16(table), QString::fromUtf16(column), ayas);
            !whole) {
            providerError = whole.reason();
            sqlite3_close(db);
            return Opened::failed(providerError);
        }
    }
    return Opened(std::unique_ptr<Connection>(new Connection(db, target.filePath)));
}

Connection::~Connection() {
    sqlite3_close(db_);
}

QString failureMessage(const QString& filePath, const QString& providerError) {
    return QStringLiteral("تعذرت قراءة ملف قاعدة البيانات \"%1\".").arg(filePath) + u'\n' +
           providerError;
}

Store::Store(ErrorReporter reporter) : reporter_(std::move(reporter)) {}

std::shared_ptr<Connection> Store::connect(const QString& connectionString) {
    const auto target = parseConnectionString(connectionString);
    if (!target) {
        reportFailure(QString(), QStringLiteral("invalid connection string"));
        return nullptr;
    }
    const auto key = std::make_pair(target->filePath, target->password);
    if (auto found = connections_.find(key); found != connections_.end()) {
        return found->second;
    }
    Outcome<std::unique_ptr<Connection>> opened = Connection::open(*target);
    if (!opened) {
        reportFailure(target->filePath, opened.reason());
        return nullptr;
    }
    std::shared_ptr<Connection> connection = std::move(opened).value();
    connections_.emplace(key, connection);
    return connection;
}

void Store::reportFailure(const QString& filePath, const QString& providerError) const {
    qCInfo(velmorStore) << "the database" << filePath << "was refused:" << providerError;
    if (reporter_) {
        reporter_(failureMessage(filePath, providerError));
    }
}

} // namespace velmor::store
