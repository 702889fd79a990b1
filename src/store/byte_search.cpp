#include "byte_search.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmor::store {

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

ByteSearcher::ByteSearcher(std::string needle) : needle_(std::move(needle)) {
    probe2_ = needle_.empty() ? 0 : needle_.size() - 1;
    std::size_t first = std::string::npos;
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < needle_.size(); ++i) {
        if (isContinuationByte(needle_[i])) {
            first = first == std::string::npos ? i : first;
            last = i;
        }
    }
    if (first != std::string::npos && last != first) {
        probe1_ = first;
        probe2_ = last;
    }
}

std::size_t ByteSearcher::find(std::string_view text, std::size_t from) const {
    const std::size_t m = needle_.size();
    if (from > text.size() || text.size() - from < m) {
        return std::string_view::npos;
    }
    if (m <= 1) {
        return text.find(needle_, from);
    }
    const char* const data = text.data();
    const std::size_t lastStart = text.size() - m; // the last place the needle fits
    std::size_t at = from;
#if defined(__SSE2__)
    constexpr std::size_t kLanes = 16;
    const __m128i byte1 = _mm_set1_epi8(needle_[probe1_]);
    const __m128i byte2 = _mm_set1_epi8(needle_[probe2_]);
    // Each block reads kLanes bytes from at + probe1_ and from at + probe2_;
    // both stay inside the text while at + kLanes - 1 <= lastStart.
    for (; at + kLanes - 1 <= lastStart; at += kLanes) {
        const __m128i at1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + probe1_));
        const __m128i at2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + probe2_));
        auto candidates = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(at1, byte1), _mm_cmpeq_epi8(at2, byte2))));
        while (candidates != 0) {
            const auto lane = static_cast<std::size_t>(__builtin_ctz(candidates));
            if (std::memcmp(data + at + lane, needle_.data(), m) == 0) {
                return at + lane;
            }
            candidates &= candidates - 1;
        }
    }
#endif
    for (; at <= lastStart; ++at) {
        if (data[at] == needle_.front() && data[at + m - 1] == needle_.back() &&
            std::memcmp(data + at + 1, needle_.data() + 1, m - 2) == 0) {
            return at;
        }
    }
    return std::string_view::npos;
}

} // namespace velmor::store
