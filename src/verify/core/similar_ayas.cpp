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
        if (!isSimilar(std::min(x.count, y.count), std::max(x.count, y.count))) {
            continue;
        }
        SimilarAya similar = compare(aya, candidate);
        if (isSimilar(sameCount(similar.steps), std::max(x.count, y.count))) {
            found.push_back(std::move(similar));
        }
    }
    std::sort(found.begin(), found.end(), [](const SimilarAya& p, const SimilarAya& q) {
        return p.similarity != q.similarity ? p.similarity > q.similarity : p.aya < q.aya;
    });
    return found;
}

std::size_t SimilarAyas::bytes() const {
    return pairs_.capacity() * sizeof(pairs_[0]);
}

} // namespace velmor::verify
