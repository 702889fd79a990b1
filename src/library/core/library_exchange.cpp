#include "library_exchange.h"

#include "result_set.h"
#include "search_scope.h"
#include "sqlite_db.h"
#include "whole_file.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace velmor::library {

namespace {

const QString kFormat = QStringLiteral("velmor-library");
constexpr int kFormatVersion = 1;

QJsonObject ayaObject(AyaRef aya) {
    return {{QStringLiteral("sura"), aya.sura}, {QStringLiteral("aya"), aya.aya}};
}

// The moment in the library's own form, or nothing when it is not a date.
std::optional<QString> moment(const QJsonValue& value) {
    const QDateTime at = QDateTime::fromString(value.toString(), Qt::ISODate);
    if (!value.isString() || !at.isValid()) {
        return std::nullopt;
    }
    return at.toUTC().toString(Qt::ISODate);
}

using Problem = std::optional<QString>;

Problem readAya(const QJsonObject& item, const QString& where, AyaRef& aya) {
    const QJsonValue sura = item.value(QStringLiteral("sura"));
    const QJsonValue number = item.value(QStringLiteral("aya"));
    if (!sura.isDouble() || !number.isDouble()) {
        return where + QStringLiteral(": sura and aya must be numbers");
    }
    aya = {sura.toInt(), number.toInt()};
    if (sura.toDouble() != aya.sura || number.toDouble() != aya.aya || !ayaExists(aya)) {
        return where + QStringLiteral(": there is no aya %1:%2")
                           .arg(sura.toDouble())
                           .arg(number.toDouble());
    }
    return std::nullopt;
}

// Each item of an array member, or why the member is not one.
Problem eachOf(const QJsonObject& root, const char* member,
               const std::function<Problem(const QJsonObject&, const QString&)>& read) {
    const QJsonValue value = root.value(QLatin1String(member));
    if (value.isUndefined()) {
        return std::nullopt;
    }
    if (!value.isArray()) {
        return QStringLiteral("\"%1\" must be an array").arg(QLatin1String(member));
    }
    const QJsonArray items = value.toArray();
    for (qsizetype k = 0; k < items.size(); ++k) {
        const QString where = QStringLiteral("%1[%2]").arg(QLatin1String(member)).arg(k);
        if (!items[k].isObject()) {
            return where + QStringLiteral(" must be an object");
        }
        if (Problem problem = read(items[k].toObject(), where)) {
            return problem;
        }
    }
    return std::nullopt;
}

Problem optionalText(const QJsonObject& item, const char* key, const QString& where,
                     QString& text) {
    const QJsonValue value = item.value(QLatin1String(key));
    if (!value.isUndefined() && !value.isNull() && !value.isString()) {
        return where + QStringLiteral(": \"%1\" must be text").arg(QLatin1String(key));
    }
    text = value.toString();
    return std::nullopt;
}

Problem readCollection(Contents& into, const QJsonObject& item, const QString& where) {
    static const QRegularExpression colour(QStringLiteral("^#[0-9a-f]{6}$"));
    Collection collection;
    collection.name = item.value(QStringLiteral("name")).toString();
    collection.color = item.value(QStringLiteral("color")).toString().toLower();
    if (collection.name.trimmed().isEmpty()) {
        return where + QStringLiteral(": a collection needs a name");
    }
    if (!colour.match(collection.color).hasMatch()) {
        collection.color.clear(); // the palette gives one
    }
    into.collections.push_back(collection);
    return std::nullopt;
}

Problem readBookmark(Contents& into, const QJsonObject& item, const QString& where) {
    Bookmark bookmark;
    if (Problem problem = readAya(item, where, bookmark.aya)) {
        return problem;
    }
    if (Problem problem = optionalText(item, "collection", where, bookmark.collection)) {
        return problem;
    }
    if (Problem problem = optionalText(item, "label", where, bookmark.label)) {
        return problem;
    }
    if (bookmark.collection.trimmed().isEmpty()) {
        bookmark.collection = firstCollectionName();
    }
    bookmark.created = moment(item.value(QStringLiteral("created"))).value_or(timestamp());
    into.bookmarks.push_back(bookmark);
    return std::nullopt;
}

Problem readNote(Contents& into, const QJsonObject& item, const QString& where) {
    Note note;
    if (Problem problem = readAya(item, where, note.aya)) {
        return problem;
    }
    const QJsonValue text = item.value(QStringLiteral("text"));
    if (!text.isString() || text.toString().isEmpty()) {
        return where + QStringLiteral(": a note needs its text");
    }
    note.text = text.toString();
    if (note.text.toUtf8().size() > kNoteLimit) {
        return where + QStringLiteral(": the note is over 1 MiB");
    }
    const auto updated = moment(item.value(QStringLiteral("updated")));
    if (!updated) {
        return where + QStringLiteral(": \"updated\" must be a date and time");
    }
    note.updated = *updated;
    into.notes.push_back(note);
    return std::nullopt;
}

Problem readSearch(Contents& into, const QJsonObject& item, const QString& where) {
    RecentSearch search;
    search.text = item.value(QStringLiteral("text")).toString();
    search.partial = item.value(QStringLiteral("partial")).toBool();
    search.scope = item.value(QStringLiteral("scope")).toString(QStringLiteral("all"));
    const auto at = moment(item.value(QStringLiteral("at")));
    if (search.text.trimmed().isEmpty() || !at) {
        return where + QStringLiteral(": a search needs its text and \"at\"");
    }
    if (!searchOptionsOf(search.scope, search.partial)) {
        return where + QStringLiteral(": unknown scope \"%1\"").arg(search.scope);
    }
    search.at = *at;
    into.history.push_back(search);
    return std::nullopt;
}

Problem readContents(const QJsonObject& root, Contents& into) {
    using namespace std::placeholders;
    if (Problem p =
            eachOf(root, "collections", std::bind(readCollection, std::ref(into), _1, _2))) {
        return p;
    }
    if (Problem p = eachOf(root, "bookmarks", std::bind(readBookmark, std::ref(into), _1, _2))) {
        return p;
    }
    if (Problem p = eachOf(root, "notes", std::bind(readNote, std::ref(into), _1, _2))) {
        return p;
    }
    if (Problem p = eachOf(root, "history", std::bind(readSearch, std::ref(into), _1, _2))) {
        return p;
    }
    const QJsonValue last = root.value(QStringLiteral("lastRead"));
    if (last.isObject()) {
        AyaRef aya;
        if (Problem problem = readAya(last.toObject(), QStringLiteral("lastRead"), aya)) {
            return problem;
        }
        into.lastRead = aya;
    } else if (!last.isUndefined() && !last.isNull()) {
        return QStringLiteral("\"lastRead\" must be an object");
    }
    return std::nullopt;
}

} // namespace

Outcome<Contents> contentsOf(const Library& library) {
    Contents contents;
    auto collections = library.collections();
    auto bookmarks = library.bookmarks();
    auto notes = library.notes();
    auto last = library.lastRead();
    auto history = library.history();
    for (const QString* reason : {&collections.reason(), &bookmarks.reason(), &notes.reason(),
                                  &last.reason(), &history.reason()}) {
        if (!reason->isEmpty()) {
            return Outcome<Contents>::failed(*reason);
        }
    }
    contents.collections = std::move(collections).value();
    contents.bookmarks = std::move(bookmarks).value();
    contents.notes = std::move(notes).value();
    contents.lastRead = *last;
    contents.history = std::move(history).value();
    return contents;
}

QByteArray toJson(const Contents& contents) {
    QJsonArray collections;
    for (const Collection& c : contents.collections) {
        collections.append(
            QJsonObject{{QStringLiteral("name"), c.name}, {QStringLiteral("color"), c.color}});
    }
    QJsonArray bookmarks;
    for (const Bookmark& b : contents.bookmarks) {
        QJsonObject item = ayaObject(b.aya);
        item.insert(QStringLiteral("collection"), b.collection);
        item.insert(QStringLiteral("label"), b.label);
        item.insert(QStringLiteral("created"), b.created);
        bookmarks.append(item);
    }
    QJsonArray notes;
    for (const Note& n : contents.notes) {
        QJsonObject item = ayaObject(n.aya);
        item.insert(QStringLiteral("text"), n.text);
        item.insert(QStringLiteral("updated"), n.updated);
        notes.append(item);
    }
    QJsonArray history;
    for (const RecentSearch& s : contents.history) {
        history.append(QJsonObject{{QStringLiteral("text"), s.text},
                                   {QStringLiteral("partial"), s.partial},
                                   {QStringLiteral("scope"), s.scope},
                                   {QStringLiteral("at"), s.at}});
    }
    QJsonObject root{{QStringLiteral("format"), kFormat},
                     {QStringLiteral("version"), kFormatVersion},
                     {QStringLiteral("collections"), collections},
                     {QStringLiteral("bookmarks"), bookmarks},
                     {QStringLiteral("notes"), notes},
                     {QStringLiteral("history"), history}};
    root.insert(QStringLiteral("lastRead"),
                contents.lastRead ? QJsonValue(ayaObject(*contents.lastRead)) : QJsonValue());
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Outcome<Contents> fromJson(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull()) {
        return Outcome<Contents>::failed(
            QStringLiteral("not JSON (%1 at byte %2)").arg(error.errorString()).arg(error.offset));
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("format")).toString() != kFormat) {
        return Outcome<Contents>::failed(
            QStringLiteral("not a Velmor library (\"format\" is not \"velmor-library\")"));
    }
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != kFormatVersion) {
        return Outcome<Contents>::failed(
            QStringLiteral("unknown library version %1 (this program reads version %2)")
                .arg(version.isDouble() ? QString::number(version.toDouble())
                                        : QStringLiteral("(none)"))
                .arg(kFormatVersion));
    }
    Contents contents;
    if (const Problem problem = readContents(root, contents)) {
        return Outcome<Contents>::failed(*problem);
    }
    return contents;
}

Outcome<QByteArray> readImport(const QString& path) {
    Outcome<QByteArray> bytes = readRegularFile(path, kImportLimit + 1);
    if (bytes && bytes->size() > kImportLimit) {
        return Outcome<QByteArray>::failed(QStringLiteral("the file is over 64 MiB"));
    }
    return bytes;
}

Done exportTo(const Library& library, const QString& path) {
    const Outcome<Contents> contents = contentsOf(library);
    if (!contents) {
        return Done::failed(contents.reason());
    }
    return replaceFile(path, toJson(*contents), Folder::MustExist);
}

QString notesMarkdown(const std::vector<Note>& notes,
                      const std::function<QString(AyaRef)>& ayaText) {
    QString markdown = QStringLiteral("# ملاحظات Velmor\n");
    for (const Note& note : notes) {
        // A line of the note that Markdown would read as a heading or a
        // quotation stays text.
        QStringList lines = note.text.split(u'\n');
        for (QString& line : lines) {
            if (line.startsWith(u'#') || line.startsWith(u'>')) {
                line.prepend(u'\\');
            }
        }
        const QString text = lines.join(u'\n');
        markdown += QStringLiteral("\n## %1\n\n> %2\n\n%3\n")
                        .arg(resultLine(note.aya.sura, note.aya.aya), ayaText(note.aya), text);
    }
    return markdown;
}

} // namespace velmor::library
