// The connection-string parser on any text: a path it reads has no blank at
// either end, and the program's own string for any folder reads back as
// that folder's database with the program's password.
#include "connection_string.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmor::store;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto target = parseConnectionString(text)) {
        if (target->filePath.isEmpty() || target->filePath.startsWith(u' ') ||
            target->filePath.endsWith(u' ')) {
            std::abort();
        }
    }
    // A folder without ';' is what the program's own strings hold.
    if (!text.contains(u';') && !text.trimmed().isEmpty() && text == text.trimmed()) {
        const auto own = parseConnectionString(buildConnectionString(text));
        if (!own || own->filePath != text + u'/' + QLatin1String(kDatabaseFileName) ||
            own->password != QLatin1String(kDatabasePassword)) {
            std::abort();
        }
    }
    return 0;
}
