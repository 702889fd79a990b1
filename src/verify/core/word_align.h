#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace velmor::verify {

// How two words compare when one run of words is set against another: the
// same word (0), a near spelling (1), another word (2). A word left out or
// added costs 2, so another word in its place is preferred over both.
using WordCost = std::function<int(std::size_t a, std::size_t b)>;
constexpr int kSameWord = 0;
constexpr int kNearWord = 1;
constexpr int kOtherWord = 2;
constexpr int kGapCost = 2;

// One step of an alignment of run a (what was written) against run b (what
// it is set against).
struct AlignedStep {
    enum Kind { Same, Other, Missing, Added };
    Kind kind = Same;
    int a = -1;        // the word of a (Same, Other, Added)
    int b = -1;        // the word of b (Same, Other, Missing)
    bool near = false; // Other: a near spelling
    bool operator==(const AlignedStep&) const = default;
};

// The cheapest alignment of a[0..n) against b[0..m), in order, computed in a
// band around the diagonal wide enough for any cheaper path (the runs'
// difference in length and a margin), so long runs cost n times the band.
std::vector<AlignedStep> alignWords(std::size_t n, std::size_t m, const WordCost& cost);

// The alignment that keeps the most words the same (a longest common
// subsequence, so its count is the same either way round); between two
// words kept, the words left on both sides are aligned by cost (a near
// spelling paired first), as written otherwise, added or missing.
std::vector<AlignedStep>
alignCommonWords(std::size_t n, std::size_t m,
                 const std::function<bool(std::size_t a, std::size_t b)>& same,
                 const WordCost& cost);

// The words the two runs share in the alignment.
std::size_t sameCount(const std::vector<AlignedStep>& steps);

} // namespace velmor::verify
