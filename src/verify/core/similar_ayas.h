#pragma once

#include "quran_words.h"
#include "word_align.h"

#include <memory>
#include <vector>

namespace velmor::verify {

// An aya that repeats another's wording closely.
struct SimilarAya {
    std::size_t aya = 0;   // its index in QuranWords::ayas()
    double similarity = 0; // the words the two share in order, over the longer's count
    bool identical = false;
    // The given aya's words (a) set against this one's (b), each index
    // counted from the aya's first word.
    std::vector<AlignedStep> steps;
};

// The ayas that resemble each other (the mutashabihat), from the folded
// words of the text:
// - candidates are the ayas that share a pair of words in a row with the
//   given one (pairs common to more than kMaxPairAyas ayas are no sign of
//   kinship and are not followed);
// - each candidate is aligned with it word by word (word_align.h); it is
//   similar when the words the two share in that order are at least three
//   and at least kShareNumerator / kShareDenominator (three in five) of the
//   longer aya's words.
// Both rules are symmetric: b is similar to a exactly when a is to b.
class SimilarAyas {
public:
    static constexpr std::size_t kShareNumerator = 3;
    static constexpr std::size_t kShareDenominator = 5;
    static constexpr std::size_t kMaxPairAyas = 120;

    explicit SimilarAyas(std::shared_ptr<const QuranWords> quran);

    const QuranWords& quran() const { return *quran_; }

    // The ayas similar to the aya at this index, most similar first (then
    // in reading order).
    std::vector<SimilarAya> of(std::size_t aya) const;
    // The two ayas compared, whether similar or not (similarity 0 when they
    // share fewer than three words).
    SimilarAya compare(std::size_t a, std::size_t b) const;

    std::size_t bytes() const;

private:
    std::shared_ptr<const QuranWords> quran_;
    // Pair of words -> the ayas that have it, sorted and each once.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> pairs_;
    // Each aya's words, sorted: what two ayas share in any order.
    std::vector<std::vector<WordId>> sorted_;
};

} // namespace velmor::verify
