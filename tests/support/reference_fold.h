#pragma once

#include <QString>
#include <string>

namespace velmor::test {

// Arabic folding written apart from the program's, for the reference
// searches the tests compare with: marks and tatweel removed, letter
// variants made their plain letter, a no-break space a blank, capitals small.
inline std::u32string referenceFold(std::u32string_view text) {
    static const std::u32string kVariants = U"\u0623\u0625\u0622\u0671\u0672\u0673\u0649\u0626"
                                            U"\u06CC\u0629\u0624\u06A9\u00A0";
    static const std::u32string kPlain = U"\u0627\u0627\u0627\u0627\u0627\u0627\u064A\u064A"
                                         U"\u064A\u0647\u0648\u0643 ";
    std::u32string out;
    for (char32_t c : text) {
        if ((c >= 0x0610 && c <= 0x061A) || (c >= 0x064B && c <= 0x065F) || c == 0x0670 ||
            c == 0x0640 || (c >= 0x06D6 && c <= 0x06ED)) {
            continue;
        }
        if (const auto at = kVariants.find(c); at != std::u32string::npos) {
            c = kPlain[at];
        } else if (c >= U'A' && c <= U'Z') {
            c += U'a' - U'A';
        }
        out += c;
    }
    return out;
}

inline QString referenceFold(const QString& text) {
    return QString::fromStdU32String(referenceFold(text.toStdU32String()));
}

} // namespace velmor::test
