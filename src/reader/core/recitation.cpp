#include "recitation.h"

#include "script.h"

namespace velmor {

Recitation::Recitation(const SuraText& sura, std::size_t from) {
    for (std::size_t k = from; k < sura.ayas.size() && k < sura.placed.size(); ++k) {
        const QString& text = sura.ayas[k].text;
        for (const TextWord& word : textWords(text)) {
            qsizetype first = 1;
            while (first < word.length &&
                   text[word.start + first].category() == QChar::Mark_NonSpacing) {
                ++first;
            }
            words_.push_back({sura.placed[k].start + word.start, word.length, k, first});
        }
    }
}

bool Recitation::revealNext() {
    if (finished()) {
        return false;
    }
    ++revealed_;
    return true;
}

bool Recitation::revealAya() {
    if (finished()) {
        return false;
    }
    const std::size_t aya = words_[revealed_].aya;
    while (revealed_ < words_.size() && words_[revealed_].aya == aya) {
        ++revealed_;
    }
    return true;
}

bool Recitation::hideLast() {
    if (revealed_ == 0) {
        return false;
    }
    --revealed_;
    missed_.erase(revealed_);
    return true;
}

bool Recitation::toggleMissed() {
    if (revealed_ == 0) {
        return false;
    }
    const std::size_t last = revealed_ - 1;
    if (missed_.erase(last) > 0) {
        return false;
    }
    missed_.insert(last);
    return true;
}

int Recitation::missesIn(std::size_t aya) const {
    int count = 0;
    for (const std::size_t word : missed_) {
        count += words_[word].aya == aya ? 1 : 0;
    }
    return count;
}

std::size_t Recitation::currentAya() const {
    if (words_.empty()) {
        return 0;
    }
    return finished() ? words_.back().aya : words_[revealed_].aya;
}

} // namespace velmor
