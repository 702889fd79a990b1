#include "mushaf.h"

#include "catalogue.h"
#include "record_view.h"
#include "reference_lists.h"

namespace velmor {

std::optional<Mushaf> Mushaf::read(store::RecordView& view) {
    view.setRecordSource(store::catalogue::everyAyaPlace());
    view.refresh();
    std::vector<AyaPlace> places;
    places.reserve(6236);
    for (; !view.eof(); view.moveNext()) {
        places.push_back({view.integer(u"ID"), static_cast<int>(view.integer(u"soraano")),
                          static_cast<int>(view.integer(u"ayaano")),
                          static_cast<int>(view.integer(u"chapterNO")),
                          static_cast<int>(view.integer(u"pageno"))});
        const AyaPlace& added = places.back();
        const AyaPlace* before = places.size() > 1 ? &places[places.size() - 2] : nullptr;
        // The steps rely on IDs running 1..N with suras and pages never going
        // back, within the mushaf's bounds (the places per page and sura are
        // kept by number). The store refuses such a table at opening.
        if (added.id != static_cast<qint64>(places.size()) || added.sura < 1 ||
            added.sura > store::kSuraCount || added.page < 1 || added.page > store::kPageCount ||
            (before != nullptr && (added.sura < before->sura || added.page < before->page))) {
            return std::nullopt;
        }
    }
    if (view.failed() || places.empty()) {
        return std::nullopt;
    }
    return Mushaf(std::move(places));
}

Mushaf::Mushaf(std::vector<AyaPlace> places) : places_(std::move(places)) {
    for (const AyaPlace& place : places_) {
        if (static_cast<int>(suraStarts_.size()) <= place.sura) {
            suraStarts_.resize(static_cast<std::size_t>(place.sura) + 1, 0);
            suraStarts_[static_cast<std::size_t>(place.sura)] = place.id;
        }
        if (static_cast<int>(pageStarts_.size()) <= place.page) {
            pageStarts_.resize(static_cast<std::size_t>(place.page) + 1, 0);
            pageStarts_[static_cast<std::size_t>(place.page)] = place.id;
        }
    }
}

namespace {
std::optional<qint64> startIn(const std::vector<qint64>& starts, int index) {
    if (index < 1 || index >= static_cast<int>(starts.size()) ||
        starts[static_cast<std::size_t>(index)] == 0) {
        return std::nullopt;
    }
    return starts[static_cast<std::size_t>(index)];
}
} // namespace

std::optional<qint64> Mushaf::idOf(AyaRef ref) const {
    const auto first = firstOfSura(ref.sura);
    if (!first || ref.aya < 1) {
        return std::nullopt;
    }
    const qint64 id = *first + ref.aya - 1;
    return contains(id) && place(id).sura == ref.sura ? std::optional<qint64>(id) : std::nullopt;
}

std::optional<qint64> Mushaf::firstOfSura(int sura) const {
    return startIn(suraStarts_, sura);
}

std::optional<qint64> Mushaf::firstOfPage(int page) const {
    return startIn(pageStarts_, page);
}

std::optional<qint64> Mushaf::nextAya(qint64 id) const {
    return contains(id + 1) ? std::optional<qint64>(id + 1) : std::nullopt;
}

std::optional<qint64> Mushaf::previousAya(qint64 id) const {
    return contains(id - 1) ? std::optional<qint64>(id - 1) : std::nullopt;
}

std::optional<qint64> Mushaf::nextSura(qint64 id) const {
    return firstOfSura(place(id).sura + 1);
}

std::optional<qint64> Mushaf::previousSura(qint64 id) const {
    return firstOfSura(place(id).sura - 1);
}

std::optional<qint64> Mushaf::nextPage(qint64 id) const {
    // A page on which no aya begins (one long aya running over it) is passed.
    for (int page = place(id).page + 1; page <= lastPage(); ++page) {
        if (const auto first = firstOfPage(page)) {
            return first;
        }
    }
    return std::nullopt;
}

std::optional<qint64> Mushaf::previousPage(qint64 id) const {
    for (int page = place(id).page - 1; page >= 1; --page) {
        if (const auto first = firstOfPage(page)) {
            return first;
        }
    }
    return std::nullopt;
}

std::pair<qint64, qint64> Mushaf::suraRange(int sura) const {
    const qint64 first = firstOfSura(sura).value_or(0);
    const qint64 next = firstOfSura(sura + 1).value_or(ayaCount() + 1);
    return {first, next - 1};
}

} // namespace velmor
