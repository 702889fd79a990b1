#include "library.h"

#include "log.h"
#include "reference_lists.h"
#include "sqlite_db.h"

#include <QDir>
#include <QStandardPaths>
#include <sqlite3.h>

namespace velmor::library {

QString firstCollectionName() {
    return QStringLiteral("المفضلة");
}

const QStringList& collectionPalette() {
    static const QStringList palette{QStringLiteral("#2e7d32"), QStringLiteral("#1565c0"),
                                     QStringLiteral("#c62828"), QStringLiteral("#ef6c00"),
                                     QStringLiteral("#6a1b9a"), QStringLiteral("#00838f"),
                                     QStringLiteral("#ad1457"), QStringLiteral("#5d4037")};
    return palette;
}

bool ayaExists(AyaRef aya) {
    if (aya.sura < 1 || aya.sura > store::kSuraCount || aya.aya < 1) {
        return false;
    }
    return aya.aya <= store::soraayanumlist().at(aya.sura - 1).trimmed().toInt();
}

QString timestamp() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
}

Library::Opened Library::open(const QString& path) {
    OpenedFile file = openLibraryFile(path, QDateTime::currentDateTime());
    Opened opened;
    opened.notice = file.notice;
    if (file.db) {
        opened.library.reset(new Library(std::move(file.db), path, file.readOnly));
        (void)opened.library->changedElsewhere(); // the version seen at opening
    }
    return opened;
}

QString Library::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("library.db"));
}

bool Library::changedElsewhere() {
    const Outcome<qint64> version = integerOf(db_.get(), "PRAGMA data_version");
    if (!version || *version == dataVersion_) {
        return false;
    }
    const bool changed = dataVersion_ != -1;
    dataVersion_ = *version;
    return changed;
}

Done Library::change(const std::function<Done()>& body) {
    const QString file =
        QStringLiteral("«") + QDir::toNativeSeparators(path_) + QStringLiteral("»");
    if (readOnly_) {
        return Done::failed(
            QStringLiteral("ملف المكتبة %1 للقراءة فقط في هذه الجلسة، فلم يحفظ التغيير.")
                .arg(file));
    }
    Done changed = inTransaction(db_.get(), body);
    if (!changed) {
        qCInfo(velmorLibrary) << "a change was not saved in" << path_ << ":" << changed.reason();
        return Done::failed(
            QStringLiteral("تعذر الحفظ في ملف المكتبة %1: %2").arg(file, changed.reason()));
    }
    return changed;
}

Outcome<std::vector<Collection>> Library::collections() const {
    Statement query(db_.get(), "SELECT id, name, color FROM collections ORDER BY position, id");
    std::vector<Collection> found;
    while (query.next()) {
        found.push_back({query.integer(0), query.text(1), query.text(2)});
    }
    if (!query.failure().isEmpty()) {
        return Outcome<std::vector<Collection>>::failed(query.failure());
    }
    return found;
}

Outcome<qint64> Library::collectionId(const QString& name, bool make) {
    {
        Statement query(db_.get(), "SELECT id FROM collections WHERE name = ?");
        query.bind(1, name);
        if (query.next()) {
            return query.integer(0);
        }
        if (!query.failure().isEmpty()) {
            return Outcome<qint64>::failed(query.failure());
        }
    }
    if (!make) {
        return Outcome<qint64>::failed(QStringLiteral("لا توجد مجموعة باسم ") + name);
    }
    if (name.trimmed().isEmpty()) {
        return Outcome<qint64>::failed(QStringLiteral("لا بد للمجموعة من اسم"));
    }
    const Outcome<qint64> count = integerOf(db_.get(), "SELECT count(*) FROM collections");
    if (!count) {
        return Outcome<qint64>::failed(count.reason());
    }
    Statement insert(db_.get(), "INSERT INTO collections(name, color, position) VALUES(?, ?, "
                                "(SELECT coalesce(max(position), -1) + 1 FROM collections))");
    insert.bind(1, name).bind(2, collectionPalette().at(*count % collectionPalette().size()));
    if (Done made = insert.run(); !made) {
        return Outcome<qint64>::failed(made.reason());
    }
    return sqlite3_last_insert_rowid(db_.get());
}

Done Library::addCollection(const QString& name) {
    return change([&]() -> Done {
        const Outcome<qint64> id = collectionId(name, true);
        return id ? done() : Done::failed(id.reason());
    });
}

Done Library::renameCollection(const QString& name, const QString& newName) {
    return change([&]() -> Done {
        if (newName.trimmed().isEmpty()) {
            return Done::failed(QStringLiteral("لا بد للمجموعة من اسم"));
        }
        const Outcome<qint64> id = collectionId(name, false);
        if (!id) {
            return Done::failed(id.reason());
        }
        Statement rename(db_.get(), "UPDATE collections SET name = ? WHERE id = ?");
        return rename.bind(1, newName).bind(2, *id).run();
    });
}

Done Library::setCollectionColor(const QString& name, const QString& color) {
    return change([&]() -> Done {
        if (!collectionPalette().contains(color)) {
            return Done::failed(QStringLiteral("ليس هذا من ألوان المجموعات: ") + color);
        }
        const Outcome<qint64> id = collectionId(name, false);
        if (!id) {
            return Done::failed(id.reason());
        }
        Statement paint(db_.get(), "UPDATE collections SET color = ? WHERE id = ?");
        return paint.bind(1, color).bind(2, *id).run();
    });
}

Done Library::moveCollection(const QString& name, int position) {
    return change([&]() -> Done {
        const auto all = collections();
        if (!all) {
            return Done::failed(all.reason());
        }
        std::vector<Collection> order = *all;
        const auto moved = std::find_if(order.begin(), order.end(),
                                        [&](const Collection& c) { return c.name == name; });
        if (moved == order.end()) {
            return Done::failed(QStringLiteral("لا توجد مجموعة باسم ") + name);
        }
        const Collection kept = *moved;
        order.erase(moved);
        const auto at = std::clamp<qsizetype>(position, 0, static_cast<qsizetype>(order.size()));
        order.insert(order.begin() + at, kept);
        for (std::size_t k = 0; k < order.size(); ++k) {
            Statement each(db_.get(), "UPDATE collections SET position = ? WHERE id = ?");
            if (Done set = each.bind(1, static_cast<qint64>(k)).bind(2, order[k].id).run(); !set) {
                return set;
            }
        }
        return done();
    });
}

Done Library::removeCollection(const QString& name) {
    return change([&]() -> Done {
        const Outcome<qint64> count = integerOf(db_.get(), "SELECT count(*) FROM collections");
        if (!count) {
            return Done::failed(count.reason());
        }
        if (*count <= 1) {
            return Done::failed(QStringLiteral("تبقى في المكتبة مجموعة واحدة على الأقل"));
        }
        const Outcome<qint64> id = collectionId(name, false);
        if (!id) {
            return Done::failed(id.reason());
        }
        Statement remove(db_.get(), "DELETE FROM collections WHERE id = ?");
        return remove.bind(1, *id).run();
    });
}

Outcome<QString> Library::lastCollection() const {
    Statement query(db_.get(), "SELECT c.name FROM state s JOIN collections c "
                               "ON c.id = CAST(s.value AS INTEGER) WHERE s.key = 'lastCollection'");
    if (query.next()) {
        return query.text(0);
    }
    Statement first(db_.get(), "SELECT name FROM collections ORDER BY position, id LIMIT 1");
    if (first.next()) {
        return first.text(0);
    }
    return Outcome<QString>::failed(first.failure().isEmpty() ? query.failure() : first.failure());
}

Outcome<QStringList> Library::researches() const {
    const Outcome<QString> kept = recalled("researches");
    if (!kept) {
        return Outcome<QStringList>::failed(kept.reason());
    }
    return kept->split(u'\n', Qt::SkipEmptyParts);
}

Done Library::keepResearch(const QString& query) {
    QString line = query;
    line.replace(u'\n', u' ');
    line = line.trimmed();
    if (line.isEmpty()) {
        return done();
    }
    return change([&]() -> Done {
        const Outcome<QStringList> kept = researches();
        if (!kept) {
            return Done::failed(kept.reason());
        }
        QStringList queries = *kept;
        queries.removeAll(line);
        queries.prepend(line);
        return remember("researches", queries.mid(0, kMaxResearches).join(u'\n'));
    });
}

Done Library::remember(const char* key, const QString& value) {
    Statement keep(db_.get(), "INSERT OR REPLACE INTO state(key, value) VALUES(?, ?)");
    return keep.bind(1, QLatin1String(key)).bind(2, value).run();
}

Outcome<QString> Library::recalled(const char* key) const {
    Statement query(db_.get(), "SELECT value FROM state WHERE key = ?");
    query.bind(1, QLatin1String(key));
    if (query.next()) {
        return query.text(0);
    }
    if (!query.failure().isEmpty()) {
        return Outcome<QString>::failed(query.failure());
    }
    return QString();
}

} // namespace velmor::library
