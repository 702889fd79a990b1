#include "arabic_fold.h"

namespace velmor::store {

bool isIgnoredMark(char32_t c) {
    return (c >= 0x0610 && c <= 0x061A) || (c >= 0x064B && c <= 0x065F) || c == 0x0670 ||
           c == 0x0640 || (c >= 0x06D6 && c <= 0x06ED);
}

char32_t foldCodePoint(char32_t c) {
    if (c < 0x80) {
        return (c >= U'A' && c <= U'Z') ? c + (U'a' - U'A') : c;
    }
    if (isIgnoredMark(c)) {
        return 0;
    }
    switch (c) {
    case 0x00A0: // no-break space
        return U' ';
    case 0x0622: // alef with madda
    case 0x0623: // alef with hamza above
    case 0x0625: // alef with hamza below
    case 0x0671: // alef wasla
    case 0x0672: // alef with wavy hamza above
    case 0x0673: // alef with wavy hamza below
        return 0x0627;
    case 0x0649: // alef maksura
    case 0x0626: // yeh with hamza above
    case 0x06CC: // Farsi yeh
        return 0x064A;
    case 0x0629: // teh marbuta
        return 0x0647;
    case 0x0624: // waw with hamza above
        return 0x0648;
    case 0x06A9: // keheh
        return 0x0643;
    default:
        return c;
    }
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point starting at i and advances i past it.
char32_t decodeOne(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + length > s.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    i += length;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return kReplacement;
    }
    return cp;
}

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

namespace {

// foldCodePoint for every one- and two-byte UTF-8 code point (U+0000..U+07FF,
// which covers the Arabic block), so the hot loop needs no branches per letter.
struct TwoByteFoldTable {
    char32_t folded[0x800];
    TwoByteFoldTable() {
        for (char32_t c = 0; c < 0x800; ++c) {
            folded[c] = foldCodePoint(c);
        }
    }
};

const TwoByteFoldTable kTwoByteFold;

} // namespace

namespace {

// Decodes the code point at i and advances i past it; one- and two-byte
// code points (the Arabic block among them) take the short way.
char32_t decodeNext(std::string_view utf8, std::size_t& i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
        ++i;
        return byte;
    }
    if ((byte & 0xE0) == 0xC0 && i + 1 < utf8.size() &&
        (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80 && byte >= 0xC2) {
        const char32_t c =
            ((byte & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
        i += 2;
        return c;
    }
    return decodeOne(utf8, i);
}

char32_t foldedCodePoint(char32_t c) {
    return c < 0x800 ? kTwoByteFold.folded[c] : foldCodePoint(c);
}

} // namespace

void appendFolded(std::string_view utf8, std::u32string& out) {
    const std::size_t start = out.size();
    out.resize(start + utf8.size()); // never more code points than bytes
    char32_t* write = out.data() + start;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t folded = foldedCodePoint(decodeNext(utf8, i));
        if (folded != 0) {
            *write++ = folded;
        }
    }
    out.resize(static_cast<std::size_t>(write - out.data()));
}

bool isFoldedUtf8(std::string_view utf8) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t c = decodeNext(utf8, i);
        // A replacement character may stand for malformed bytes: not folded.
        if (c == 0 || c == kReplacement || foldedCodePoint(c) != c) {
            return false;
        }
    }
    return true;
}

std::u32string decodeUtf8(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        out += decodeOne(utf8, i);
    }
    return out;
}

std::string encodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char32_t c : text) {
        appendUtf8(c, out);
    }
    return out;
}

std::string foldUtf8(std::string_view utf8) {
    std::u32string folded;
    appendFolded(utf8, folded);
    return encodeUtf8(folded);
}

bool isIndexBlank(char32_t folded) {
    return folded == U' ' || folded == U'\t' || folded == U'\n' || folded == U'\r';
}

std::string makeIndexForm(std::string_view cleanText) {
    std::u32string folded;
    appendFolded(cleanText, folded);
    std::u32string index = U" ";
    for (char32_t c : folded) {
        if (!isIndexBlank(c)) {
            index += c;
        } else if (index.back() != U' ') {
            index += U' ';
        }
    }
    if (index.back() != U' ') {
        index += U' ';
    }
    return encodeUtf8(index);
}

} // namespace velmor::store
