#pragma once

#include "quran_words.h"
#include "word_align.h"

#include <QString>
#include <memory>
#include <vector>

namespace velmor::verify {

// A stretch of the text's words, [first, last) in the run of QuranWords.
struct WordRun {
    std::size_t first = 0;
    std::size_t last = 0;
    bool operator==(const WordRun&) const = default;
};

// One difference between a quotation and the aya it quotes: a word written
// otherwise (written and correct), a word the quotation lacks (correct
// only) or a word it adds (written only). Written is as the input has it,
// correct as the aya writes it, marks included.
struct Slip {
    enum Kind { Other, Missing, Added };
    Kind kind = Other;
    QString written;
    QString correct;
    bool operator==(const Slip&) const = default;
};

// A stretch of a reader's text that quotes the Qur'an.
struct Quotation {
    qsizetype start = 0; // code points in the input
    qsizetype length = 0;
    qsizetype utf16Start = 0;
    qsizetype utf16Length = 0;
    std::size_t firstWord = 0; // its words among the input's, [first, last)
    std::size_t lastWord = 0;
    // Every place it quotes equally well, in reading order.
    std::vector<WordRun> places;
    // Its words set against the first place's, and the slips they show.
    std::vector<AlignedStep> steps;
    std::vector<Slip> slips;
    bool exact() const { return slips.empty(); }
};

// Finds the quotations in a text: stretches of at least three words that
// match consecutive words of the Qur'an once folded, possibly from one aya
// into the next, or nearly match them (about three words in four, at least
// three the same). Words the text shares with the Qur'an only by chance are
// not reported: what matches must say more than a few common words do
// (its words' bits, as QuranWords counts them, reach kMinimumBits, and
// kBitsPerSlip more for each slip: a quotation with slips needs more
// evidence that it is one).
//
// How: every pair of words in a row that the Qur'an has too is a seed; from
// each seed the match is extended both ways, word by word, allowing a word
// written otherwise, left out or added, until it has fallen too far below
// its best (X-drop, as sequence search does); what an extension covers is
// not extended again from a later seed on the same diagonal. The stretches
// found are then aligned word by word, judged, and taken best first; one
// that overlaps a better one is dropped, one as good over the same words is
// another place it quotes.
class QuotationFinder {
public:
    static constexpr double kMinimumBits = 26.0;
    static constexpr double kBitsPerSlip = 8.0;
    static constexpr double kMinimumAgreement = 0.7;

    explicit QuotationFinder(std::shared_ptr<const QuranWords> quran);

    const QuranWords& quran() const { return *quran_; }
    const std::shared_ptr<const QuranWords>& shared() const { return quran_; }

    // The quotations in the text, in their order there.
    std::vector<Quotation> find(QStringView text) const;

    // The memory of its index (the words' own aside), in bytes.
    std::size_t bytes() const { return pairs_.capacity() * sizeof(pairs_[0]); }

private:
    std::shared_ptr<const QuranWords> quran_;
    // (word, next word) -> its places in the run, sorted by pair then place.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> pairs_;
};

} // namespace velmor::verify
