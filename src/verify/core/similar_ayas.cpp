#include "similar_ayas.h"

#include <algorithm>
#include <unordered_set>

namespace velmor::verify {

namespace {

std::uint64_t pairKey(WordId a, WordId b) {
    return (static_cast<std::uint64_t>(a) << 32) | b;
}

// At least three words shared, and at least three in five of the longer's.
bool isSimilar(std::size_t same, std::size_t longer) {
    return same >= 3 &&
           same * SimilarAyas::kShareDenominator >= longer * SimilarAyas::kShareNumerator;
}

// The most words two runs keep in order (their longest common
// subsequence), one row at a time.
std::size_t commonLength(const WordId* a, std::size_t n, const WordId* b, std::size_t m) {
    std::vector<std::uint16_t> row(m + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        std::uint16_t diagonal = 0;
        for (std::size_t j = 0; j < m; ++j) {
            const std::uint16_t above = row[j + 1];
            row[j + 1] = a[i] == b[j] ? static_cast<std::uint16_t>(diagonal + 1)
                                      : std::max(row[j + 1], row[j]);
            diagonal = above;
        }
    }
    return row[m];
}

// How many words two sorted runs share, each counted as often as both have it.
std::size_t sharedWords(const std::vector<WordId>& a, const std::vector<WordId>& b) {
    std::size_t shared = 0;
    for (auto i = a.begin(), j = b.begin(); i != a.end() && j != b.end();) {
        if (*i < *j) {
            ++i;
        } else if (*j < *i) {
            ++j;
        } else {
            ++shared, ++i, ++j;
        }
    }
    return shared;
}

} // namespace

SimilarAyas::SimilarAyas(std::shared_ptr<const QuranWords> quran) : quran_(std::move(quran)) {
    const std::vector<WordId>& words = quran_->words();
    for (std::size_t index = 0; index < quran_->ayas().size(); ++index) {
        const QuranWords::Aya& aya = quran_->aya(index);
        for (std::uint32_t k = 0; k + 1 < aya.count; ++k) {
            pairs_.emplace_back(pairKey(words[aya.first + k], words[aya.first + k + 1]),
                                static_cast<std::uint32_t>(index));
        }
    }
    std::sort(pairs_.begin(), pairs_.end());
    pairs_.erase(std::unique(pairs_.begin(), pairs_.end()), pairs_.end());
    sorted_.reserve(quran_->ayas().size());
    for (const QuranWords::Aya& aya : quran_->ayas()) {
        std::vector<WordId> bag(words.begin() + aya.first, words.begin() + aya.first + aya.count);
        std::sort(bag.begin(), bag.end());
        sorted_.push_back(std::move(bag));
    }
}

SimilarAya SimilarAyas::compare(std::size_t a, std::size_t b) const {
    const QuranWords::Aya& x = quran_->aya(a);
    const QuranWords::Aya& y = quran_->aya(b);
    const std::vector<WordId>& words = quran_->words();
    SimilarAya similar{b, 0, false, {}};
    similar.steps = alignCommonWords(
        x.count, y.count,
        [&](std::size_t i, std::size_t j) { return words[x.first + i] == words[y.first + j]; },
        [&](std::size_t i, std::size_t j) {
            const WordId p = words[x.first + i];
            const WordId q = words[y.first + j];
            return p == q                                                   ? kSameWord
                   : nearSpelling(quran_->spelling(p), quran_->spelling(q)) ? kNearWord
                                                                            : kOtherWord;
        });
    const std::size_t same = sameCount(similar.steps);
    if (same >= 3) {
        similar.similarity =
            static_cast<double>(same) / static_cast<double>(std::max(x.count, y.count));
        similar.identical = same == x.count && same == y.count;
    }
    return similar;
}

std::vector<SimilarAya> SimilarAyas::of(std::size_t aya) const {
    const QuranWords::Aya& x = quran_->aya(aya);
    const std::vector<WordId>& words = quran_->words();
    std::unordered_set<std::uint32_t> candidates;
    for (std::uint32_t k = 0; k + 1 < x.count; ++k) {
        const std::uint64_t key = pairKey(words[x.first + k], words[x.first + k + 1]);
        const auto from = std::lower_bound(pairs_.begin(), pairs_.end(), std::make_pair(key, 0U));
        auto to = from;
        while (to != pairs_.end() && to->first == key) {
            ++to;
        }
        if (static_cast<std::size_t>(to - from) > kMaxPairAyas) {
            continue;
        }
        for (auto it = from; it != to; ++it) {
            if (it->second != aya) {
                candidates.insert(it->second);
            }
        }
    }
    std::vector<SimilarAya> found;
    for (const std::uint32_t candidate : candidates) {
        const QuranWords::Aya& y = quran_->aya(candidate);
        // Fewer words than the threshold asks of the longer cannot be shared.
        // Cheapest first: the lengths, the words shared in any order, then
        // in order; the alignment only for the ayas kept.
        const std::size_t longer = std::max(x.count, y.count);
        if (!isSimilar(std::min(x.count, y.count), longer) ||
            !isSimilar(sharedWords(sorted_[aya], sorted_[candidate]), longer) ||
            !isSimilar(commonLength(&words[x.first], x.count, &words[y.first], y.count), longer)) {
            continue;
        }
        found.push_back(compare(aya, candidate));
    }
    std::sort(found.begin(), found.end(), [](const SimilarAya& p, const SimilarAya& q) {
        return p.similarity != q.similarity ? p.similarity > q.similarity : p.aya < q.aya;
    });
    return found;
}

std::size_t SimilarAyas::bytes() const {
    std::size_t total = pairs_.capacity() * sizeof(pairs_[0]);
    for (const std::vector<WordId>& bag : sorted_) {
        total += sizeof(std::vector<WordId>) + bag.capacity() * sizeof(WordId);
    }
    return total;
}

} // namespace velmor::verify
