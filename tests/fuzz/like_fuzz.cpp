// The folding LIKE against a plain reference written here: both sides folded
// by a table of their own, then matched by dynamic programming over code
// points. Input bytes pick tokens (Arabic letters, their variants, marks,
// tatweel, blanks, '%', '_', digits); a 0xFF byte separates pattern and value.
#include "jet_like.h"

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kTokens[] = {"\u0627", "\u0623", "\u0625", "\u0622", "\u0671", "\u0628", "\u0633",
                               "\u0645", "\u0644", "\u0647", "\u0629", "\u064A", "\u0649", "\u0626",
                               "\u0648", "\u0624", "\u064E", "\u0651", "\u0670", "\u0640", "\u06DB",
                               " ",      "\u00A0", "%",      "_",      "1",      "0",      "a",
                               "A",      "\u06A9", "\u0643", "\u20AC"};

std::u32string referenceFold(const std::u32string& text) {
    std::u32string out;
    for (char32_t c : text) {
        if ((c >= 0x0610 && c <= 0x061A) || (c >= 0x064B && c <= 0x065F) || c == 0x0670 ||
            c == 0x0640 || (c >= 0x06D6 && c <= 0x06ED)) {
            continue;
        }
        switch (c) {
        case 0x0623:
        case 0x0625:
        case 0x0622:
        case 0x0671:
        case 0x0672:
        case 0x0673:
            c = 0x0627;
            break;
        case 0x0649:
        case 0x0626:
        case 0x06CC:
            c = 0x064A;
            break;
        case 0x0629:
            c = 0x0647;
            break;
        case 0x0624:
            c = 0x0648;
            break;
        case 0x06A9:
            c = 0x0643;
            break;
        case 0x00A0:
            c = U' ';
            break;
        default:
            if (c >= U'A' && c <= U'Z') {
                c += U'a' - U'A';
            }
        }
        out += c;
    }
    return out;
}

bool referenceMatch(const std::u32string& p, const std::u32string& v) {
    // matched[i][j]: the first i pattern characters match the first j value ones.
    std::vector<std::vector<bool>> matched(p.size() + 1, std::vector<bool>(v.size() + 1));
    matched[0][0] = true;
    for (std::size_t i = 1; i <= p.size(); ++i) {
        for (std::size_t j = 0; j <= v.size(); ++j) {
            if (p[i - 1] == U'%') {
                matched[i][j] = matched[i - 1][j] || (j > 0 && matched[i][j - 1]);
            } else if (j > 0) {
                matched[i][j] = matched[i - 1][j - 1] && (p[i - 1] == U'_' || p[i - 1] == v[j - 1]);
            }
        }
    }
    return matched[p.size()][v.size()];
}

std::u32string codePoints(const std::string& utf8) {
    const std::u32string text = QString::fromStdString(utf8).toStdU32String();
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string pattern;
    std::string value;
    std::string* into = &pattern;
    for (std::size_t i = 0; i < size && i < 256; ++i) {
        if (data[i] == 0xFF) {
            into = &value;
            continue;
        }
        *into += kTokens[data[i] % (sizeof kTokens / sizeof kTokens[0])];
    }
    const bool expected =
        referenceMatch(referenceFold(codePoints(pattern)), referenceFold(codePoints(value)));
    if (velmor::store::LikePattern(pattern).matches(value) != expected) {
        std::abort();
    }
    return 0;
}
