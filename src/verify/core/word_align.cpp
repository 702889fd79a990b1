#include "word_align.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace velmor::verify {

namespace {

constexpr int kMargin = 8;
constexpr int kFar = std::numeric_limits<int>::max() / 4;

// Where each cell's cheapest path came from.
enum From : std::uint8_t { Diagonal, Up, Left, None };

} // namespace

namespace {

// The cells of the table a path may use: row i holds the cells j in
// [i - width, i + width], clipped to [0, columns].
struct Band {
    long rows = 0;
    long columns = 0;
    long width = 0;
    long span() const { return 2 * width + 1; }
    long firstOf(long i) const { return std::max(0L, i - width); }
    long lastOf(long i) const { return std::min(columns, i + width); }
    bool holds(long i, long j) const { return j >= firstOf(i) && j <= lastOf(i); }
    std::size_t slot(long i, long j) const { return static_cast<std::size_t>(j - (i - width)); }
    std::size_t cell(long i, long j) const {
        return static_cast<std::size_t>(i * span()) + slot(i, j);
    }
};

// Where each cell's cheapest path came from, the table filled row by row.
std::vector<From> fillBand(const Band& band, const WordCost& cost) {
    std::vector<int> previous(static_cast<std::size_t>(band.span()), kFar);
    std::vector<int> current(static_cast<std::size_t>(band.span()), kFar);
    std::vector<From> from(static_cast<std::size_t>((band.rows + 1) * band.span()), None);
    for (long i = 0; i <= band.rows; ++i) {
        std::fill(current.begin(), current.end(), kFar);
        for (long j = band.firstOf(i); j <= band.lastOf(i); ++j) {
            int best = i == 0 && j == 0 ? 0 : kFar;
            From way = None;
            if (i > 0 && j > 0 && band.holds(i - 1, j - 1)) {
                const int through =
                    previous[band.slot(i - 1, j - 1)] +
                    cost(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(j - 1));
                if (through < best) {
                    best = through, way = Diagonal;
                }
            }
            if (i > 0 && band.holds(i - 1, j) && previous[band.slot(i - 1, j)] + kGapCost < best) {
                best = previous[band.slot(i - 1, j)] + kGapCost, way = Up;
            }
            if (j > band.firstOf(i) && current[band.slot(i, j - 1)] + kGapCost < best) {
                best = current[band.slot(i, j - 1)] + kGapCost, way = Left;
            }
            current[band.slot(i, j)] = best;
            from[band.cell(i, j)] = way;
        }
        std::swap(previous, current);
    }
    return from;
}

} // namespace

std::vector<AlignedStep> alignWords(std::size_t n, std::size_t m, const WordCost& forward) {
    // The table is filled from the runs' ends, so that the path traced back
    // from their starts pairs words from the start where costs tie: "A B"
    // against "C" pairs A with C.
    const WordCost cost = [&](std::size_t a, std::size_t b) {
        return forward(n - 1 - a, m - 1 - b);
    };
    const auto original = [](std::size_t size, long index) {
        return static_cast<int>(static_cast<long>(size) - 1 - index);
    };
    const auto rows = static_cast<long>(n);
    const auto columns = static_cast<long>(m);
    const Band band{rows, columns, std::labs(rows - columns) + kMargin};
    const std::vector<From> from = fillBand(band, cost);
    std::vector<AlignedStep> steps;
    long i = rows;
    long j = columns;
    while (i > 0 || j > 0) {
        const From way = from[band.cell(i, j)];
        if (way == Diagonal) {
            const int c = cost(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(j - 1));
            steps.push_back({c == kSameWord ? AlignedStep::Same : AlignedStep::Other,
                             original(n, i - 1), original(m, j - 1), c == kNearWord});
            --i, --j;
        } else if (way == Up) {
            steps.push_back({AlignedStep::Added, original(n, i - 1), -1, false});
            --i;
        } else {
            steps.push_back({AlignedStep::Missing, -1, original(m, j - 1), false});
            --j;
        }
    }
    return steps;
}

std::vector<AlignedStep> alignCommonWords(std::size_t n, std::size_t m,
                                          const std::function<bool(std::size_t, std::size_t)>& same,
                                          const WordCost& cost) {
    // kept[i][j]: the most words kept between a[i..n) and b[j..m).
    std::vector<std::uint16_t> kept((n + 1) * (m + 1), 0);
    const auto cell = [&](std::size_t i, std::size_t j) -> std::uint16_t& {
        return kept[i * (m + 1) + j];
    };
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            cell(i, j) = same(i, j) ? static_cast<std::uint16_t>(cell(i + 1, j + 1) + 1)
                                    : std::max(cell(i + 1, j), cell(i, j + 1));
        }
    }
    std::vector<AlignedStep> steps;
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t gapA = 0; // where the words not kept began, on each side
    std::size_t gapB = 0;
    const auto closeGap = [&] {
        const std::size_t fromA = gapA;
        const std::size_t fromB = gapB;
        for (AlignedStep step : alignWords(i - fromA, j - fromB, [&](std::size_t a, std::size_t b) {
                 return cost(fromA + a, fromB + b);
             })) {
            step.a = step.a < 0 ? -1 : step.a + static_cast<int>(fromA);
            step.b = step.b < 0 ? -1 : step.b + static_cast<int>(fromB);
            steps.push_back(step);
        }
    };
    while (i < n && j < m) {
        if (same(i, j) && cell(i, j) == cell(i + 1, j + 1) + 1) {
            closeGap();
            steps.push_back({AlignedStep::Same, static_cast<int>(i), static_cast<int>(j)});
            gapA = ++i;
            gapB = ++j;
        } else if (cell(i + 1, j) >= cell(i, j + 1)) {
            ++i;
        } else {
            ++j;
        }
    }
    i = n;
    j = m;
    closeGap();
    return steps;
}

std::size_t sameCount(const std::vector<AlignedStep>& steps) {
    return static_cast<std::size_t>(
        std::count_if(steps.begin(), steps.end(),
                      [](const AlignedStep& s) { return s.kind == AlignedStep::Same; }));
}

} // namespace velmor::verify
