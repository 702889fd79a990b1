#pragma once

#include <QString>

namespace velmor {

// The result line of an aya: the sura name, " : ", the aya number. The sura
// number is read as a decimal value and rounded; a number outside 1..114
// gives an empty name.
QString resultLine(const QString& suraNumber, const QString& ayaNumber);

} // namespace velmor
