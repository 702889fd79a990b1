#pragma once

#include <QByteArray>
#include <QString>

namespace velmor {

// Windows-1256, the Arabic ANSI code page: the settings file and the update
// notice are single-byte text in it, byte-compatible with files written on
// Arabic Windows.
QString decodeWindows1256(const QByteArray& bytes);

// Characters the code page cannot hold are written as '?'.
QByteArray encodeWindows1256(const QString& text);

} // namespace velmor
