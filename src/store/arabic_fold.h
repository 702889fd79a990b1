#pragma once

#include <string>
#include <string_view>

namespace velmor::store {

// Arabic folding shared by the searchable index and the database's LIKE:
// vowel and Quranic marks and the tatweel are ignored, letter variants match
// their plain letter, a no-break space matches a blank and ASCII letters match
// regardless of case.

// The code point that c matches as, or U+0000 when c is ignored in matching.
char32_t foldCodePoint(char32_t c);

// True for the marks that matching ignores (harakat, Quranic annotation
// marks, superscript alef, tatweel).
bool isIgnoredMark(char32_t c);

// Decodes UTF-8 (malformed bytes become U+FFFD) and appends the folded code
// points to out, skipping ignored marks.
void appendFolded(std::string_view utf8, std::u32string& out);

// True when folding would leave the UTF-8 text as it is: valid, with no
// mark, letter variant, no-break space, capital letter or NUL (the index
// column is written that way).
bool isFoldedUtf8(std::string_view utf8);

// Decodes UTF-8 into code points, malformed bytes becoming U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);
std::string encodeUtf8(std::u32string_view text);

// The folded text as UTF-8.
std::string foldUtf8(std::string_view utf8);

// True for the folded code points that separate words in the searchable
// form (each run of them is one blank there).
bool isIndexBlank(char32_t folded);

// The searchable form of an aya: no-break spaces become blanks, marks are
// removed, runs of blanks collapse to one, the text is folded, and one blank
// stands at the start and at the end so that the first and the last word can
// be found as stand-alone words.
std::string makeIndexForm(std::string_view cleanText);

} // namespace velmor::store
