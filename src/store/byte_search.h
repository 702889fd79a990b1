#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmor::store {

// Finds one needle in many texts. Where the processor has SSE2, sixteen
// places are tried at once: a place is a candidate when two of the needle's
// bytes both stand where they would, and only candidates are compared whole.
// The two are its first and last UTF-8 continuation bytes where it has two:
// in Arabic text nearly every other byte is one of two lead bytes and blanks
// are frequent, while a continuation byte names the letter.
class ByteSearcher {
public:
    explicit ByteSearcher(std::string needle);

    // The position of the needle's first occurrence in text at or after
    // from, or npos. An empty needle is found at from.
    std::size_t find(std::string_view text, std::size_t from = 0) const;

    std::size_t size() const { return needle_.size(); }

private:
    std::string needle_;
    // The offsets of the two bytes that pick candidates.
    std::size_t probe1_ = 0;
    std::size_t probe2_ = 0;
};

} // namespace velmor::store
