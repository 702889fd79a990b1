#pragma once

#include "reference.h"

#include <QString>
#include <optional>
#include <vector>

namespace velmor::store {
class RecordView;
}

namespace velmor {

// Where one aya stands in the mushaf.
struct AyaPlace {
    qint64 id = 0; // reading order, 1..N
    int sura = 0;
    int aya = 0;
    int juz = 0;
    int page = 0;
};

// Every aya's place, read once, and the steps a reader takes through them:
// by aya, by sura and by mushaf page. A step past either end gives nothing.
class Mushaf {
public:
    // Reads the places through the view (connected already). Gives nothing
    // when the database cannot be read (the view has reported it) or its IDs
    // do not run 1..N in reading order.
    static std::optional<Mushaf> read(store::RecordView& view);
    explicit Mushaf(std::vector<AyaPlace> places);

    qint64 ayaCount() const { return static_cast<qint64>(places_.size()); }
    int lastPage() const { return places_.empty() ? 0 : places_.back().page; }
    // The place of an ID in 1..ayaCount().
    const AyaPlace& place(qint64 id) const { return places_[static_cast<std::size_t>(id - 1)]; }
    bool contains(qint64 id) const { return id >= 1 && id <= ayaCount(); }

    std::optional<qint64> idOf(AyaRef ref) const;
    std::optional<qint64> firstOfSura(int sura) const;
    std::optional<qint64> firstOfPage(int page) const;

    std::optional<qint64> nextAya(qint64 id) const;
    std::optional<qint64> previousAya(qint64 id) const;
    // The first aya of the next or previous sura.
    std::optional<qint64> nextSura(qint64 id) const;
    std::optional<qint64> previousSura(qint64 id) const;
    // The first aya of the next or previous page.
    std::optional<qint64> nextPage(qint64 id) const;
    std::optional<qint64> previousPage(qint64 id) const;

    // The IDs of a sura's ayas: [first, last].
    std::pair<qint64, qint64> suraRange(int sura) const;

private:
    std::vector<AyaPlace> places_;
    std::vector<qint64> suraStarts_; // suraStarts_[s] = first ID of sura s (1-based)
    std::vector<qint64> pageStarts_; // likewise for pages
};

} // namespace velmor
