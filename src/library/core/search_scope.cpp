#include "search_scope.h"

#include "reference_lists.h"

#include <QRegularExpression>

namespace velmor::library {

QString scopeKey(const SearchOptions& o) {
    switch (o.scope) {
    case 1:
        return QStringLiteral("juz %1").arg(o.part + 1);
    case 2:
        return QStringLiteral("juz %1-%2").arg(o.part1 + 1).arg(o.part2 + 1);
    case 3:
        return QStringLiteral("sura %1").arg(o.sora + 1);
    case 4:
        return QStringLiteral("suras %1-%2").arg(o.sora1 + 1).arg(o.sora2 + 1);
    default:
        return QStringLiteral("all");
    }
}

std::optional<SearchOptions> searchOptionsOf(const QString& scope, bool partial) {
    SearchOptions o;
    o.wholeWord = !partial;
    if (scope == QLatin1String("all")) {
        return o;
    }
    static const QRegularExpression form(
        QStringLiteral("^(juz|sura|suras) ([1-9][0-9]{0,2})(?:-([1-9][0-9]{0,2}))?$"));
    const QRegularExpressionMatch match = form.match(scope);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const bool juz = match.captured(1) == QLatin1String("juz");
    const bool range = match.hasCaptured(3);
    if (match.captured(1) == QLatin1String("sura") && range) {
        return std::nullopt;
    }
    if (match.captured(1) == QLatin1String("suras") && !range) {
        return std::nullopt;
    }
    const int last = juz ? store::kJuzCount : store::kSuraCount;
    const int a = match.captured(2).toInt() - 1;
    const int b = range ? match.captured(3).toInt() - 1 : a;
    if (a >= last || b >= last) {
        return std::nullopt;
    }
    if (juz) {
        o.scope = range ? 2 : 1;
        (range ? o.part1 : o.part) = a;
        o.part2 = range ? b : -1;
    } else {
        o.scope = range ? 4 : 3;
        (range ? o.sora1 : o.sora) = a;
        o.sora2 = range ? b : -1;
    }
    return o;
}

} // namespace velmor::library
