// Merging an imported library into this one.
#include "library_exchange.h"
#include "sqlite_db.h"

namespace velmor::library {

namespace {

Done mergeCollections(sqlite3* db, const Contents& contents) {
    std::vector<Collection> wanted = contents.collections;
    for (const Bookmark& bookmark : contents.bookmarks) {
        wanted.push_back({0, bookmark.collection, {}});
    }
    for (const Collection& collection : wanted) {
        Statement count(db, "SELECT count(*) FROM collections");
        if (!count.next()) {
            return Done::failed(count.failure());
        }
        const QString colour =
            collectionPalette().contains(collection.color)
                ? collection.color
                : collectionPalette().at(count.integer(0) % collectionPalette().size());
        Statement add(db, "INSERT OR IGNORE INTO collections(name, color, position) VALUES(?, ?, "
                          "(SELECT coalesce(max(position), -1) + 1 FROM collections))");
        if (Done made = add.bind(1, collection.name).bind(2, colour).run(); !made) {
            return made;
        }
    }
    return done();
}

Done mergeBookmarks(sqlite3* db, const Contents& contents) {
    for (const Bookmark& b : contents.bookmarks) {
        Statement add(db, "INSERT OR IGNORE INTO bookmarks(sura, aya, collection, label, created) "
                          "SELECT ?, ?, id, ?, ? FROM collections WHERE name = ?");
        Done made = add.bind(1, b.aya.sura)
                        .bind(2, b.aya.aya)
                        .bind(3, b.label)
                        .bind(4, b.created)
                        .bind(5, b.collection)
                        .run();
        // A label is taken where the bookmark here has none.
        Statement label(db, "UPDATE bookmarks SET label = ? WHERE label = '' AND sura = ? AND "
                            "aya = ? AND collection = (SELECT id FROM collections WHERE name = ?)");
        if (made && !b.label.isEmpty()) {
            made = label.bind(1, b.label)
                       .bind(2, b.aya.sura)
                       .bind(3, b.aya.aya)
                       .bind(4, b.collection)
                       .run();
        }
        if (!made) {
            return made;
        }
    }
    return done();
}

Done mergeNotes(sqlite3* db, const Contents& contents) {
    for (const Note& n : contents.notes) {
        Statement keep(db, "INSERT OR REPLACE INTO notes(sura, aya, text, updated) "
                           "SELECT ?1, ?2, ?3, ?4 WHERE NOT EXISTS (SELECT 1 FROM notes WHERE "
                           "sura = ?1 AND aya = ?2 AND updated >= ?4)");
        if (Done kept = keep.bind(1, n.aya.sura)
                            .bind(2, n.aya.aya)
                            .bind(3, n.text)
                            .bind(4, n.updated)
                            .run();
            !kept) {
            return kept;
        }
    }
    return done();
}

Done mergeHistory(sqlite3* db, const Contents& contents) {
    // Oldest first, so that searches of the same second keep their order.
    for (auto it = contents.history.rbegin(); it != contents.history.rend(); ++it) {
        const RecentSearch& s = *it;
        Statement add(db, "INSERT OR IGNORE INTO history(text, partial, scope, at) "
                          "VALUES(?, ?, ?, ?)");
        Done made =
            add.bind(1, s.text).bind(2, qint64(s.partial)).bind(3, s.scope).bind(4, s.at).run();
        Statement later(db, "UPDATE history SET at = ?4 WHERE text = ?1 AND partial = ?2 AND "
                            "scope = ?3 AND at < ?4");
        if (made) {
            made = later.bind(1, s.text)
                       .bind(2, qint64(s.partial))
                       .bind(3, s.scope)
                       .bind(4, s.at)
                       .run();
        }
        if (!made) {
            return made;
        }
    }
    Statement trim(db, "DELETE FROM history WHERE id NOT IN (SELECT id FROM history "
                       "ORDER BY at DESC, id DESC LIMIT ?)");
    return trim.bind(1, kHistoryKept).run();
}

Done mergeLastRead(sqlite3* db, const Contents& contents) {
    if (!contents.lastRead) {
        return done();
    }
    Statement keep(db, "INSERT OR IGNORE INTO state(key, value) VALUES('lastRead', ?)");
    return keep
        .bind(1, QStringLiteral("%1:%2").arg(contents.lastRead->sura).arg(contents.lastRead->aya))
        .run();
}

} // namespace

Done merge(Library& library, const Contents& contents) {
    sqlite3* db = library.handle();
    return library.change([&]() -> Done {
        for (const auto step :
             {mergeCollections, mergeBookmarks, mergeNotes, mergeHistory, mergeLastRead}) {
            if (Done merged = step(db, contents); !merged) {
                return merged;
            }
        }
        return done();
    });
}

} // namespace velmor::library
