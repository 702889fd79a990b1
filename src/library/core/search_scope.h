#pragma once

#include "search_query.h"

#include <QString>
#include <optional>

namespace velmor::library {

// A search's scope as the history keeps it: "all", "juz N", "juz A-B",
// "sura N", "suras A-B", with 1-based numbers.
QString scopeKey(const SearchOptions& options);
// The options a kept scope and match give; nothing for a scope that is not
// one of those forms or whose numbers are out of range.
std::optional<SearchOptions> searchOptionsOf(const QString& scope, bool partial);

} // namespace velmor::library
