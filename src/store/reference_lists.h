#pragma once

#include <QStringList>

namespace velmor::store {

// The mushaf's divisions: suras, juz and pages.
inline constexpr int kSuraCount = 114;
inline constexpr int kJuzCount = 30;
inline constexpr int kPageCount = 604;

// Per-sura reference lists, 114 entries each; the entry of sura n is at n - 1.

// Sura names as result lines show them: 38 and 50 end in a tatweel, 73, 74
// and 104 carry their shadda and vowel marks.
const QStringList& compairlist();

// Aya counts (Kufan count) as decimal text; counts below 10 are followed by
// one blank ("7 " for sura 1).
const QStringList& soraayanumlist();

// "مكية" (Meccan) or "مدنية" (Medinan).
const QStringList& typelist();

// The names the sura pickers list: compairlist with 73, 74 and 104 unmarked.
const QStringList& pickerSuraNames();

} // namespace velmor::store
