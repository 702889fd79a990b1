#include "connection_string.h"

namespace velmor::store {

namespace {
const QString kLastPair = QStringLiteral(";Persist Security Info=False");
}

QString buildConnectionString(const QString& programFolder) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=") +
           QLatin1String(kDatabasePassword) + QStringLiteral("; Data Source= ") + programFolder +
           u'/' + QLatin1String(kDatabaseFileName) + u' ' + kLastPair;
}

namespace {

// The value of "key=" up to the next ';' (or the end), or nothing. A value
// that runs to the string's last pair, as the data source does, is taken
// whole up to that pair: a folder's name may hold ';' itself.
std::optional<QString> valueOf(const QString& connectionString, const QString& key,
                               bool runsToLastPair = false) {
    const qsizetype start = connectionString.indexOf(key, 0, Qt::CaseInsensitive);
    if (start < 0) {
        return std::nullopt;
    }
    const qsizetype from = start + key.size();
    qsizetype end = connectionString.indexOf(u';', from);
    if (runsToLastPair && connectionString.endsWith(kLastPair, Qt::CaseInsensitive)) {
        end = connectionString.size() - kLastPair.size();
    }
    if (end < 0) {
        end = connectionString.size();
    }
    return connectionString.mid(from, end - from);
}

} // namespace

QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') {
        ++first;
    }
    while (last > first && text[last - 1] == u' ') {
        --last;
    }
    return text.mid(first, last - first);
}

std::optional<ConnectionTarget> parseConnectionString(const QString& connectionString) {
    const auto source = valueOf(connectionString, QStringLiteral("Data Source="), true);
    const auto password = valueOf(connectionString, QStringLiteral("Database Password="));
    if (!source || !password || trimBlanks(*source).isEmpty()) {
        return std::nullopt;
    }
    return ConnectionTarget{trimBlanks(*source), *password};
}

} // namespace velmor::store
