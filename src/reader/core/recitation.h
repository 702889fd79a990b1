#pragma once

#include "sura_text.h"

#include <set>
#include <vector>

namespace velmor {

// Reciting from memory: the words of the sura from one aya on are hidden,
// and the reader reveals them one by one or an aya at a time, hides the last
// again, and marks a word missed. Positions are the sura body's.
class Recitation {
public:
    struct Word {
        qsizetype start = 0;
        qsizetype length = 0;
        std::size_t aya = 0; // its index in the sura
        // The length of its first letter with that letter's marks.
        qsizetype firstLetter = 0;
    };

    // Hides every word from the aya at index from (in the sura's order) on.
    Recitation(const SuraText& sura, std::size_t from);

    const std::vector<Word>& words() const { return words_; }
    // How many words are shown, from the first.
    std::size_t revealed() const { return revealed_; }
    bool finished() const { return revealed_ == words_.size(); }

    // Space: shows the next word. Returns false at the end.
    bool revealNext();
    // Enter: shows the rest of the aya the next hidden word is in (the next
    // aya's first word when the aya is whole). Returns false at the end.
    bool revealAya();
    // Backspace: hides the word shown last (and unmarks it). Returns false
    // when none is shown.
    bool hideLast();
    // Marks the word shown last missed, or unmarks it. Returns whether it
    // is missed now.
    bool toggleMissed();
    bool missed(std::size_t word) const { return missed_.count(word) > 0; }
    // The misses in the aya at index aya.
    int missesIn(std::size_t aya) const;
    // The aya being recited: that of the next hidden word, or the last one.
    std::size_t currentAya() const;

private:
    std::vector<Word> words_;
    std::size_t revealed_ = 0;
    std::set<std::size_t> missed_;
};

} // namespace velmor
