// The folding LIKE against a plain reference: both sides folded by the
// tests' own table, then matched by dynamic programming over code points. Input bytes pick tokens
// (Arabic letters, their variants, marks, tatweel, blanks, '%', '_', digits); a 0xFF byte separates
// pattern and value.
#include "jet_like.h"
#include "reference_fold.h"

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

std::u32string foldedCodePoints(const std::string& utf8) {
    return velmor::test::referenceFold(QString::fromStdString(utf8).toStdU32String());
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
    const bool expected = referenceMatch(foldedCodePoints(pattern), foldedCodePoints(value));
    if (velmor::store::LikePattern(pattern).matches(value) != expected) {
        std::abort();
    }
    return 0;
}
