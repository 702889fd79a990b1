#pragma once

#include "library_file.h"
#include "outcome.h"
#include "reference.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace velmor::library {

// A note is plain text of at most this many bytes in UTF-8.
inline constexpr qsizetype kNoteLimit = 1 << 20;
// Recent searches kept, newest first.
inline constexpr int kHistoryKept = 200;
// The collection every library starts with.
QString firstCollectionName();
// The colours a collection may have, as "#rrggbb".
const QStringList& collectionPalette();

struct Collection {
    qint64 id = 0;
    QString name;
    QString color;
};

struct Bookmark {
    AyaRef aya;
    QString collection;
    QString color;
    QString label;
    QString created; // UTC, "yyyy-MM-ddTHH:mm:ssZ"
};

struct Note {
    AyaRef aya;
    QString text;
    QString updated;
};

// A search as the main window ran it: the text, whether it may be part of a
// longer word, and its scope as scopeKey() writes it.
struct RecentSearch {
    QString text;
    bool partial = false;
    QString scope;
    QString at;
    bool operator==(const RecentSearch& other) const {
        return text == other.text && partial == other.partial && scope == other.scope;
    }
};

// What the library holds on one aya of a sura: the colour of its first
// bookmark's collection (empty when none) and whether it has a note.
struct AyaMarks {
    int aya = 0;
    QString color;
    bool note = false;
};

// Whether the aya is in the mushaf.
bool ayaExists(AyaRef aya);
// The current moment as the library writes it.
QString timestamp();

// The reader's own library in one SQLite file: every change one
// transaction, every failure a reason naming the file. It may be open in
// the window and on the command line at once.
class Library {
public:
    struct Opened {
        std::unique_ptr<Library> library; // none when the file cannot be used
        QString notice;                   // what the reader must be told, if anything
    };
    static Opened open(const QString& path);
    // library.db in the user's data folder.
    static QString defaultPath();

    const QString& path() const { return path_; }
    bool readOnly() const { return readOnly_; }
    sqlite3* handle() const { return db_.get(); }
    // Whether another connection changed the file since this one last asked.
    bool changedElsewhere();

    // Collections, in their order.
    [[nodiscard]] Outcome<std::vector<Collection>> collections() const;
    [[nodiscard]] Done addCollection(const QString& name);
    [[nodiscard]] Done renameCollection(const QString& name, const QString& newName);
    [[nodiscard]] Done setCollectionColor(const QString& name, const QString& color);
    // Moves it to a place in the order (0 first).
    [[nodiscard]] Done moveCollection(const QString& name, int position);
    // Removes it with its bookmarks; the last collection stays.
    [[nodiscard]] Done removeCollection(const QString& name);
    // Where Ctrl+D puts a bookmark: the collection used last, else the first.
    [[nodiscard]] Outcome<QString> lastCollection() const;

    // Bookmarks in reading order. A missing collection is made.
    [[nodiscard]] Outcome<std::vector<Bookmark>> bookmarks() const;
    [[nodiscard]] Done addBookmark(AyaRef aya, const QString& collection,
                                   const QString& label = {});
    [[nodiscard]] Done removeBookmark(AyaRef aya, const QString& collection);
    [[nodiscard]] Done setBookmarkLabel(AyaRef aya, const QString& collection,
                                        const QString& label);
    [[nodiscard]] Done moveBookmark(AyaRef aya, const QString& from, const QString& to);
    // Bookmarks or un-bookmarks the aya in the last collection used;
    // gives whether it is bookmarked there now.
    [[nodiscard]] Outcome<bool> toggleBookmark(AyaRef aya);

    // Notes in reading order; an empty text removes the aya's note.
    [[nodiscard]] Outcome<std::vector<Note>> notes() const;
    [[nodiscard]] Outcome<std::optional<Note>> note(AyaRef aya) const;
    [[nodiscard]] Done setNote(AyaRef aya, const QString& text);

    // The ayas of a sura with a bookmark or a note, in order.
    [[nodiscard]] Outcome<std::vector<AyaMarks>> marksOfSura(int sura) const;

    [[nodiscard]] Outcome<std::optional<AyaRef>> lastRead() const;
    [[nodiscard]] Done setLastRead(AyaRef aya);

    // Newest first.
    [[nodiscard]] Outcome<std::vector<RecentSearch>> history() const;
    [[nodiscard]] Done recordSearch(const RecentSearch& search);
    [[nodiscard]] Done clearHistory();

    // The advanced search's recent queries, newest first, the last
    // kMaxResearches kept; a repeated one moves to the top.
    static constexpr int kMaxResearches = 50;
    [[nodiscard]] Outcome<QStringList> researches() const;
    [[nodiscard]] Done keepResearch(const QString& query);

    // Runs the body in one transaction on this file, refusing a read-only
    // library; a failure names the file.
    [[nodiscard]] Done change(const std::function<Done()>& body);

private:
    Library(Handle db, QString path, bool readOnly)
        : db_(std::move(db)), path_(std::move(path)), readOnly_(readOnly) {}
    Outcome<qint64> collectionId(const QString& name, bool make);
    Done remember(const char* key, const QString& value);
    Outcome<QString> recalled(const char* key) const;

    Handle db_;
    QString path_;
    bool readOnly_ = false;
    qint64 dataVersion_ = -1;
};

} // namespace velmor::library
