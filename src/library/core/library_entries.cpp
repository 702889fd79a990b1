// The library's entries: bookmarks, notes, the place read last and the
// recent searches.
#include "library.h"
#include "sqlite_db.h"

#include <algorithm>
#include <numeric>
#include <sqlite3.h>
#include <unordered_map>

namespace velmor::library {

namespace {

Done refuseMissing(AyaRef aya) {
    if (ayaExists(aya)) {
        return done();
    }
    return Done::failed(QStringLiteral("لا توجد الآية %1:%2 في المصحف").arg(aya.sura).arg(aya.aya));
}

} // namespace

// The collections are read once and their names shared by every bookmark
// in them; the bookmarks come in the order of their own index, and those
// of one aya are then put in the collections' order.
Outcome<std::vector<Bookmark>> Library::bookmarks() const {
    const auto all = collections();
    if (!all) {
        return Outcome<std::vector<Bookmark>>::failed(all.reason());
    }
    std::unordered_map<qint64, std::size_t> rank;
    for (std::size_t k = 0; k < all->size(); ++k) {
        rank.emplace((*all)[k].id, k);
    }
    Statement query(db_.get(), "SELECT sura, aya, collection, label, created FROM bookmarks "
                               "ORDER BY sura, aya, collection");
    std::vector<Bookmark> found;
    std::vector<std::size_t> order;
    while (query.next()) {
        const auto in = rank.find(query.integer(2));
        if (in == rank.end()) {
            continue;
        }
        const Collection& c = (*all)[in->second];
        found.push_back({{static_cast<int>(query.integer(0)), static_cast<int>(query.integer(1))},
                         c.name,
                         c.color,
                         query.text(3),
                         query.text(4)});
        order.push_back(in->second);
    }
    if (!query.failure().isEmpty()) {
        return Outcome<std::vector<Bookmark>>::failed(query.failure());
    }
    for (std::size_t first = 0; first < found.size();) {
        std::size_t last = first + 1;
        while (last < found.size() && found[last].aya == found[first].aya) {
            ++last;
        }
        if (last - first > 1) {
            std::vector<std::size_t> at(last - first);
            std::iota(at.begin(), at.end(), first);
            std::sort(at.begin(), at.end(),
                      [&](std::size_t a, std::size_t b) { return order[a] < order[b]; });
            std::vector<Bookmark> sorted;
            sorted.reserve(at.size());
            for (const std::size_t k : at) {
                sorted.push_back(std::move(found[k]));
            }
            std::move(sorted.begin(), sorted.end(),
                      found.begin() + static_cast<std::ptrdiff_t>(first));
        }
        first = last;
    }
    return found;
}

Done Library::addBookmark(AyaRef aya, const QString& collection, const QString& label) {
    return change([&]() -> Done {
        if (Done exists = refuseMissing(aya); !exists) {
            return exists;
        }
        const Outcome<qint64> id = collectionId(collection, true);
        if (!id) {
            return Done::failed(id.reason());
        }
        // A bookmark there already keeps its date; a label given replaces its own.
        Statement add(db_.get(), "INSERT OR IGNORE INTO bookmarks(sura, aya, collection, label, "
                                 "created) VALUES(?, ?, ?, ?, ?)");
        Done made = add.bind(1, aya.sura)
                        .bind(2, aya.aya)
                        .bind(3, *id)
                        .bind(4, label)
                        .bind(5, timestamp())
                        .run();
        if (made && !label.isEmpty()) {
            Statement relabel(db_.get(), "UPDATE bookmarks SET label = ? WHERE sura = ? AND "
                                         "aya = ? AND collection = ?");
            made = relabel.bind(1, label).bind(2, aya.sura).bind(3, aya.aya).bind(4, *id).run();
        }
        return made ? remember("lastCollection", QString::number(*id)) : made;
    });
}

Done Library::removeBookmark(AyaRef aya, const QString& collection) {
    return change([&]() -> Done {
        const Outcome<qint64> id = collectionId(collection, false);
        if (!id) {
            return Done::failed(id.reason());
        }
        Statement remove(db_.get(),
                         "DELETE FROM bookmarks WHERE sura = ? AND aya = ? AND collection = ?");
        Done removed = remove.bind(1, aya.sura).bind(2, aya.aya).bind(3, *id).run();
        if (removed && sqlite3_changes(db_.get()) == 0) {
            return Done::failed(QStringLiteral("لا علامة على الآية %1:%2 في المجموعة %3")
                                    .arg(aya.sura)
                                    .arg(aya.aya)
                                    .arg(collection));
        }
        return removed;
    });
}

Done Library::setBookmarkLabel(AyaRef aya, const QString& collection, const QString& label) {
    return change([&]() -> Done {
        const Outcome<qint64> id = collectionId(collection, false);
        if (!id) {
            return Done::failed(id.reason());
        }
        Statement relabel(db_.get(), "UPDATE bookmarks SET label = ? WHERE sura = ? AND aya = ? "
                                     "AND collection = ?");
        return relabel.bind(1, label).bind(2, aya.sura).bind(3, aya.aya).bind(4, *id).run();
    });
}

Done Library::moveBookmark(AyaRef aya, const QString& from, const QString& to) {
    return change([&]() -> Done {
        const Outcome<qint64> source = collectionId(from, false);
        const Outcome<qint64> target = collectionId(to, true);
        if (!source || !target) {
            return Done::failed(!source ? source.reason() : target.reason());
        }
        // Already in the target, it is only removed from the source.
        Statement move(db_.get(), "UPDATE OR REPLACE bookmarks SET collection = ? WHERE sura = ? "
                                  "AND aya = ? AND collection = ?");
        Done moved =
            move.bind(1, *target).bind(2, aya.sura).bind(3, aya.aya).bind(4, *source).run();
        return moved ? remember("lastCollection", QString::number(*target)) : moved;
    });
}

Outcome<bool> Library::toggleBookmark(AyaRef aya) {
    const Outcome<QString> collection = lastCollection();
    if (!collection) {
        return Outcome<bool>::failed(collection.reason());
    }
    Statement there(db_.get(), "SELECT 1 FROM bookmarks b JOIN collections c ON c.id = "
                               "b.collection WHERE b.sura = ? AND b.aya = ? AND c.name = ?");
    there.bind(1, aya.sura).bind(2, aya.aya).bind(3, *collection);
    const bool marked = there.next();
    const Done toggled = marked ? removeBookmark(aya, *collection) : addBookmark(aya, *collection);
    if (!toggled) {
        return Outcome<bool>::failed(toggled.reason());
    }
    return !marked;
}

Outcome<std::vector<Note>> Library::notes() const {
    Statement query(db_.get(), "SELECT sura, aya, text, updated FROM notes ORDER BY sura, aya");
    std::vector<Note> found;
    while (query.next()) {
        found.push_back({{static_cast<int>(query.integer(0)), static_cast<int>(query.integer(1))},
                         query.text(2),
                         query.text(3)});
    }
    if (!query.failure().isEmpty()) {
        return Outcome<std::vector<Note>>::failed(query.failure());
    }
    return found;
}

Outcome<std::optional<Note>> Library::note(AyaRef aya) const {
    Statement query(db_.get(), "SELECT text, updated FROM notes WHERE sura = ? AND aya = ?");
    query.bind(1, aya.sura).bind(2, aya.aya);
    if (query.next()) {
        return std::optional<Note>(Note{aya, query.text(0), query.text(1)});
    }
    if (!query.failure().isEmpty()) {
        return Outcome<std::optional<Note>>::failed(query.failure());
    }
    return std::optional<Note>();
}

Done Library::setNote(AyaRef aya, const QString& text) {
    return change([&]() -> Done {
        if (Done exists = refuseMissing(aya); !exists) {
            return exists;
        }
        if (text.toUtf8().size() > kNoteLimit) {
            return Done::failed(QStringLiteral("الملاحظة أطول من ١ ميغابايت"));
        }
        if (text.isEmpty()) {
            Statement remove(db_.get(), "DELETE FROM notes WHERE sura = ? AND aya = ?");
            return remove.bind(1, aya.sura).bind(2, aya.aya).run();
        }
        Statement keep(db_.get(), "INSERT OR REPLACE INTO notes(sura, aya, text, updated) "
                                  "VALUES(?, ?, ?, ?)");
        return keep.bind(1, aya.sura).bind(2, aya.aya).bind(3, text).bind(4, timestamp()).run();
    });
}

Outcome<std::vector<AyaMarks>> Library::marksOfSura(int sura) const {
    Statement query(db_.get(),
                    "SELECT aya, (SELECT c.color FROM bookmarks b JOIN collections c ON c.id = "
                    "b.collection WHERE b.sura = ?1 AND b.aya = a.aya ORDER BY c.position, c.id "
                    "LIMIT 1), EXISTS(SELECT 1 FROM notes n WHERE n.sura = ?1 AND n.aya = a.aya) "
                    "FROM (SELECT aya FROM bookmarks WHERE sura = ?1 UNION "
                    "SELECT aya FROM notes WHERE sura = ?1) a ORDER BY aya");
    query.bind(1, sura);
    std::vector<AyaMarks> found;
    while (query.next()) {
        found.push_back({static_cast<int>(query.integer(0)),
                         query.isNull(1) ? QString() : query.text(1), query.integer(2) != 0});
    }
    if (!query.failure().isEmpty()) {
        return Outcome<std::vector<AyaMarks>>::failed(query.failure());
    }
    return found;
}

Outcome<std::optional<AyaRef>> Library::lastRead() const {
    const Outcome<QString> kept = recalled("lastRead");
    if (!kept) {
        return Outcome<std::optional<AyaRef>>::failed(kept.reason());
    }
    const QStringList parts = kept->split(u':');
    const AyaRef aya{parts.value(0).toInt(), parts.value(1).toInt()};
    return ayaExists(aya) ? std::optional<AyaRef>(aya) : std::nullopt;
}

Done Library::setLastRead(AyaRef aya) {
    return change([&]() -> Done {
        if (Done exists = refuseMissing(aya); !exists) {
            return exists;
        }
        return remember("lastRead", QStringLiteral("%1:%2").arg(aya.sura).arg(aya.aya));
    });
}

Outcome<std::vector<RecentSearch>> Library::history() const {
    Statement query(db_.get(),
                    "SELECT text, partial, scope, at FROM history ORDER BY at DESC, id DESC");
    std::vector<RecentSearch> found;
    while (query.next()) {
        found.push_back({query.text(0), query.integer(1) != 0, query.text(2), query.text(3)});
    }
    if (!query.failure().isEmpty()) {
        return Outcome<std::vector<RecentSearch>>::failed(query.failure());
    }
    return found;
}

Done Library::recordSearch(const RecentSearch& search) {
    return change([&]() -> Done {
        // A search run again moves to the top.
        Statement forget(db_.get(),
                         "DELETE FROM history WHERE text = ? AND partial = ? AND scope = ?");
        Done kept =
            forget.bind(1, search.text).bind(2, qint64(search.partial)).bind(3, search.scope).run();
        if (kept) {
            Statement add(db_.get(),
                          "INSERT INTO history(text, partial, scope, at) VALUES(?, ?, ?, ?)");
            kept = add.bind(1, search.text)
                       .bind(2, qint64(search.partial))
                       .bind(3, search.scope)
                       .bind(4, search.at.isEmpty() ? timestamp() : search.at)
                       .run();
        }
        if (kept) {
            Statement trim(db_.get(), "DELETE FROM history WHERE id NOT IN (SELECT id FROM "
                                      "history ORDER BY at DESC, id DESC LIMIT ?)");
            kept = trim.bind(1, kHistoryKept).run();
        }
        return kept;
    });
}

Done Library::clearHistory() {
    return change([&] { return execute(db_.get(), "DELETE FROM history"); });
}

} // namespace velmor::library
