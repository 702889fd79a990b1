#pragma once

#include "outcome.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace velmor {

// The file's bytes, at most limit of them, when it is a regular file (a
// link to one included). A FIFO, a device or a folder in its place is never
// waited on: it is opened without blocking and refused.
Outcome<QByteArray> readRegularFile(const QString& path, qsizetype limit);

// Whether a file in path's place can be read as settings without waiting:
// nothing there, or a regular file.
bool isRegularOrMissing(const QString& path);

// Whether the folder a file goes in is made when it is missing: the
// program's own files make their folders; a file the reader named goes only
// into a folder that is there (a mistyped folder is refused, not made).
enum class Folder { Make, MustExist };

// Replaces the file at path with a complete new one: write fills a new file
// of our own beside it (given its path), which is synced and renamed over
// path once whole. A link in path's place is replaced, never followed; a
// failed, short or interrupted write leaves the old file whole.
Done replaceFile(const QString& path, const std::function<bool(const QString&)>& write,
                 Folder folder);
Done replaceFile(const QString& path, const QByteArray& bytes, Folder folder);

} // namespace velmor
