// The settings-file reader on any bytes: what it accepts is within the
// bounds the program relies on, and a name it accepts is written back and
// read again unchanged.
#include "settings_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmor::settings;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SavedFont saved = parseSettingsLine(bytes);
    if (saved.pointSize && (*saved.pointSize < kMinPointSize || *saved.pointSize > kMaxPointSize)) {
        std::abort();
    }
    if (saved.name && isStorableFontName(*saved.name)) {
        const DisplayFont font{*saved.name, saved.pointSize.value_or(12),
                               saved.italic.value_or(false), saved.bold.value_or(false)};
        const SavedFont again = parseSettingsLine(formatSettingsLine(font));
        if (again.name != font.name || again.pointSize != font.pointSize ||
            again.italic != font.italic || again.bold != font.bold) {
            std::abort();
        }
    }
    return 0;
}
