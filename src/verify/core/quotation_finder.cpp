#include "quotation_finder.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>

namespace velmor::verify {

namespace {

// Extension scores: a word the same counts for, a near spelling is
// neutral, another word, one left out or one added counts against; the
// extension stops once it falls kDrop below its best, so two slips in a
// row are crossed and three are not.
constexpr int kSame = 2;
constexpr int kNear = 0;
constexpr int kSlip = -2;
constexpr int kDrop = 5;
constexpr int kBand = 3; // words either side of the diagonal
constexpr std::size_t kBandCells = 2 * kBand + 1;
// Pairs of words found this often are poor seeds: any quotation worth
// reporting has rarer pairs too.
constexpr std::ptrdiff_t kMaxSeedPlaces = 400;
// A pair the input itself repeats more often than this seeds only its first
// uses: a text that says the same words over and over (pasted again and
// again) would otherwise extend the same seeds without end. A quotation
// among the repeats is still reached from its other pairs.
constexpr int kMaxSeedUses = 256;

std::uint64_t pairKey(WordId a, WordId b) {
    return (static_cast<std::uint64_t>(a) << 32) | b;
}

struct Words {
    const QuranWords& quran;
    const std::vector<InputWord>& input;
    const std::vector<WordId>& ids;

    int cost(std::size_t a, std::size_t b) const {
        const WordId theirs = quran.word(b);
        if (ids[a] == theirs) {
            return kSameWord;
        }
        return nearSpelling(input[a].folded, quran.spelling(theirs)) ? kNearWord : kOtherWord;
    }
    int score(std::size_t a, std::size_t b) const {
        const int c = cost(a, b);
        return c == kSameWord ? kSame : c == kNearWord ? kNear : kSlip;
    }
};

// How far a match extends from (a, b) one way: the words of each side it
// covers and the score it adds at its best.
struct Reach {
    std::size_t input = 0;
    std::size_t quran = 0;
    int score = 0;
};

// Forward (step +1) from input word a and text word b, or backward (step
// -1) from the words before them.
Reach extend(const Words& words, std::size_t a, std::size_t b, int step) {
    const auto inputLeft = step > 0 ? words.input.size() - a : a;
    const auto quranLeft = step > 0 ? words.quran.size() - b : b;
    const auto inputAt = [&](std::size_t p) { return step > 0 ? a + p : a - 1 - p; };
    const auto quranAt = [&](std::size_t q) { return step > 0 ? b + q : b - 1 - q; };
    constexpr int kDead = -1'000'000;
    // row[k] is the cell q = p + k - kBand of row p.
    std::array<int, kBandCells> previous{};
    std::array<int, kBandCells> current{};
    previous.fill(kDead);
    previous[kBand] = 0;
    Reach best;
    // Row 0: words of the text left out before any input word.
    for (std::size_t k = kBand + 1; k < kBandCells; ++k) {
        const std::size_t q = k - kBand;
        previous[k] =
            q <= quranLeft && previous[k - 1] + kSlip >= -kDrop ? previous[k - 1] + kSlip : kDead;
    }
    for (std::size_t p = 1; p <= inputLeft; ++p) {
        int rowBest = kDead;
        for (std::size_t k = 0; k < kBandCells; ++k) {
            const auto q = static_cast<std::ptrdiff_t>(p + k) - kBand;
            int cell = kDead;
            if (q >= 0 && static_cast<std::size_t>(q) <= quranLeft) {
                if (q > 0) {
                    cell = std::max(
                        cell, previous[k] + words.score(inputAt(p - 1),
                                                        quranAt(static_cast<std::size_t>(q) - 1)));
                }
                if (k + 1 < kBandCells) {
                    cell = std::max(cell, previous[k + 1] + kSlip); // an input word added
                }
                if (k > 0) {
                    cell = std::max(cell, current[k - 1] + kSlip); // a text word left out
                }
            }
            if (cell < best.score - kDrop) {
                cell = kDead;
            }
            current[k] = cell;
            rowBest = std::max(rowBest, cell);
            if (cell > best.score && q > 0) {
                best = {p, static_cast<std::size_t>(q), cell};
            }
        }
        if (rowBest == kDead) {
            break;
        }
        previous = current;
    }
    return best;
}

using Pairs = std::vector<std::pair<std::uint64_t, std::uint32_t>>;

struct Candidate {
    std::size_t inputFirst = 0;
    std::size_t inputLast = 0;
    WordRun place;
    int score = 0;
};

std::vector<Candidate> seeded(const Pairs& pairs, const Words& words) {
    std::vector<Candidate> candidates;
    std::unordered_map<std::int64_t, std::size_t> covered; // diagonal -> input reached
    std::unordered_map<std::uint64_t, int> uses;           // pair -> times seeded
    const std::vector<WordId>& ids = words.ids;
    for (std::size_t i = 0; i + 1 < ids.size(); ++i) {
        if (ids[i] == kUnknownWord || ids[i + 1] == kUnknownWord) {
            continue;
        }
        const std::uint64_t key = pairKey(ids[i], ids[i + 1]);
        if (++uses[key] > kMaxSeedUses) {
            continue;
        }
        const auto from = std::lower_bound(pairs.begin(), pairs.end(), std::make_pair(key, 0U));
        auto to = from;
        while (to != pairs.end() && to->first == key) {
            ++to;
        }
        if (to - from > kMaxSeedPlaces) {
            continue;
        }
        for (auto seed = from; seed != to; ++seed) {
            const std::size_t j = seed->second;
            const auto diagonal = static_cast<std::int64_t>(j) - static_cast<std::int64_t>(i);
            if (const auto reached = covered.find(diagonal);
                reached != covered.end() && reached->second > i) {
                continue;
            }
            const Reach ahead = extend(words, i + 2, j + 2, +1);
            const Reach behind = extend(words, i, j, -1);
            Candidate found{i - behind.input,
                            i + 2 + ahead.input,
                            {j - behind.quran, j + 2 + ahead.quran},
                            2 * kSame + ahead.score + behind.score};
            covered[diagonal] = found.inputLast;
            candidates.push_back(found);
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) {
        return std::tie(y.score, x.inputFirst, x.inputLast, x.place.first) <
               std::tie(x.score, y.inputFirst, y.inputLast, y.place.first);
    });
    return candidates;
}

std::optional<Quotation> judged(const Words& words, const Candidate& candidate, QStringView text) {
    const QuranWords& quran = words.quran;
    const std::size_t n = candidate.inputLast - candidate.inputFirst;
    const std::size_t m = candidate.place.last - candidate.place.first;
    std::vector<AlignedStep> steps = alignWords(n, m, [&](std::size_t a, std::size_t b) {
        return words.cost(candidate.inputFirst + a, candidate.place.first + b);
    });
    double agreement = 0;
    double bits = 0;
    std::size_t same = 0;
    for (const AlignedStep& step : steps) {
        if (step.kind == AlignedStep::Same) {
            ++same;
            agreement += 1;
            bits += quran.bits(quran.word(candidate.place.first + step.b));
        } else {
            agreement += step.near ? 0.5 : 0;
            bits -= QuotationFinder::kBitsPerSlip;
        }
    }
    if (same < 3 ||
        agreement < QuotationFinder::kMinimumAgreement * static_cast<double>(std::max(n, m)) ||
        bits < QuotationFinder::kMinimumBits) {
        return std::nullopt;
    }
    Quotation quotation;
    const InputWord& first = words.input[candidate.inputFirst];
    const InputWord& last = words.input[candidate.inputLast - 1];
    quotation.start = first.start;
    quotation.length = last.start + last.length - first.start;
    quotation.utf16Start = first.utf16Start;
    quotation.utf16Length = last.utf16Start + last.utf16Length - first.utf16Start;
    quotation.firstWord = candidate.inputFirst;
    quotation.lastWord = candidate.inputLast;
    quotation.places.push_back(candidate.place);
    for (const AlignedStep& step : steps) {
        const auto written = [&] {
            const InputWord& w =
                words.input[candidate.inputFirst + static_cast<std::size_t>(step.a)];
            return text.mid(w.utf16Start, w.utf16Length).toString();
        };
        const auto correct = [&] {
            return quran.marked(candidate.place.first + static_cast<std::size_t>(step.b));
        };
        switch (step.kind) {
        case AlignedStep::Same:
            break;
        case AlignedStep::Other:
            quotation.slips.push_back({Slip::Other, written(), correct()});
            break;
        case AlignedStep::Missing:
            quotation.slips.push_back({Slip::Missing, {}, correct()});
            break;
        case AlignedStep::Added:
            quotation.slips.push_back({Slip::Added, written(), {}});
            break;
        }
    }
    quotation.steps = std::move(steps);
    return quotation;
}

} // namespace

QuotationFinder::QuotationFinder(std::shared_ptr<const QuranWords> quran)
    : quran_(std::move(quran)) {
    const std::vector<WordId>& words = quran_->words();
    pairs_.reserve(words.size());
    for (std::size_t k = 0; k + 1 < words.size(); ++k) {
        pairs_.emplace_back(pairKey(words[k], words[k + 1]), static_cast<std::uint32_t>(k));
    }
    std::sort(pairs_.begin(), pairs_.end());
}

std::vector<Quotation> QuotationFinder::find(QStringView text) const {
    const std::vector<InputWord> input = inputWords(text);
    std::vector<WordId> ids;
    ids.reserve(input.size());
    for (const InputWord& word : input) {
        ids.push_back(quran_->idOf(word.folded));
    }
    const Words words{*quran_, input, ids};

    // Judged best first; what overlaps a better one is dropped, unless it
    // quotes as well over the same words.
    struct Taken {
        Candidate candidate;
        Quotation quotation;
    };
    std::vector<Taken> taken;
    for (const Candidate& candidate : seeded(pairs_, words)) {
        const auto overlapping = std::find_if(taken.begin(), taken.end(), [&](const Taken& kept) {
            return candidate.inputFirst < kept.candidate.inputLast &&
                   kept.candidate.inputFirst < candidate.inputLast;
        });
        if (overlapping != taken.end()) {
            const Candidate& k = overlapping->candidate;
            std::vector<WordRun>& places = overlapping->quotation.places;
            if (candidate.inputFirst == k.inputFirst && candidate.inputLast == k.inputLast &&
                candidate.score == k.score &&
                std::find(places.begin(), places.end(), candidate.place) == places.end()) {
                places.push_back(candidate.place);
            }
            continue;
        }
        if (std::optional<Quotation> quotation = judged(words, candidate, text)) {
            taken.push_back({candidate, std::move(*quotation)});
        }
    }

    std::vector<Quotation> found;
    found.reserve(taken.size());
    for (Taken& kept : taken) {
        std::sort(kept.quotation.places.begin(), kept.quotation.places.end(),
                  [](const WordRun& x, const WordRun& y) { return x.first < y.first; });
        found.push_back(std::move(kept.quotation));
    }
    std::sort(found.begin(), found.end(),
              [](const Quotation& x, const Quotation& y) { return x.start < y.start; });
    return found;
}

} // namespace velmor::verify
