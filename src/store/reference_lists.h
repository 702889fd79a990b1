#pragma once

#include <QStringList>

namespace velmor::store {

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
