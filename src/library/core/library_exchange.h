#pragma once

#include "library.h"

#include <QByteArray>
#include <functional>

namespace velmor::library {

// A file to import is read only up to this size.
inline constexpr qsizetype kImportLimit = qsizetype(64) << 20;

// Everything a library holds, as an export carries it.
struct Contents {
    std::vector<Collection> collections; // id unused
    std::vector<Bookmark> bookmarks;
    std::vector<Note> notes;
    std::optional<AyaRef> lastRead;
    std::vector<RecentSearch> history;
};

[[nodiscard]] Outcome<Contents> contentsOf(const Library& library);

// The export format: UTF-8 JSON, {"format":"velmor-library","version":1,...}.
QByteArray toJson(const Contents& contents);
// Reads and checks a whole export; the reason names the first problem.
[[nodiscard]] Outcome<Contents> fromJson(const QByteArray& json);
// The bytes of a file to import, refused past kImportLimit.
[[nodiscard]] Outcome<QByteArray> readImport(const QString& path);

// Merges the contents into the library in one transaction: bookmarks by aya
// and collection, notes by aya with the newer one kept, recent searches by
// their text, match and scope; the place read last only where none is kept.
// Merging the same contents again changes nothing.
[[nodiscard]] Done merge(Library& library, const Contents& contents);

// Writes the whole library to a file, whole or not at all.
[[nodiscard]] Done exportTo(const Library& library, const QString& path);

// The notes as Markdown: a heading per aya with its result line, the aya's
// marked text quoted, then the note.
QString notesMarkdown(const std::vector<Note>& notes,
                      const std::function<QString(AyaRef)>& ayaText);

} // namespace velmor::library
