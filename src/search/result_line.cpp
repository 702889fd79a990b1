#include "result_line.h"

#include "reference_lists.h"

#include <cmath>

namespace velmor {

QString resultLine(const QString& suraNumber, const QString& ayaNumber) {
    const auto& names = store::compairlist();
    bool ok = false;
    const double sura = suraNumber.trimmed().toDouble(&ok);
    const auto index = ok ? std::lround(sura - 1) : -1;
    const QString name = index >= 0 && index < names.size() ? names[index] : QString();
    return name + QStringLiteral(" : ") + ayaNumber;
}

} // namespace velmor
