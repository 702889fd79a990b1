#pragma once

#include "outcome.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmor::store {
class RecordView;
}

namespace velmor::verify {

// A word's folded spelling, by number: the same number is the same word
// after folding (marks, letter variants, tatweel and case ignored).
using WordId = std::uint32_t;
constexpr WordId kUnknownWord = UINT32_MAX;

// One aya as the database holds it.
struct StoredAya {
    qint64 id = 0;
    int sura = 0;
    int aya = 0;
    QString text; // marked, as stored
};

// The whole text as one run of words in reading order, each with its folded
// spelling and its marked form; a quotation may run from one aya into the
// next. A word is what stands between blanks (a no-break space included)
// and keeps a letter once folded: a pause mark alone on its no-break space
// is no word. Immutable once made, so threads may share it.
class QuranWords {
public:
    struct Aya {
        qint64 id = 0;
        int sura = 0;
        int aya = 0;
        std::uint32_t first = 0; // its first word's place in the run
        std::uint32_t count = 0;
    };

    // Every aya, read in reading order through the view (connected
    // already); fails when the table cannot be read.
    static Outcome<std::shared_ptr<const QuranWords>> read(store::RecordView& view);
    explicit QuranWords(std::vector<StoredAya> ayas);

    std::size_t size() const { return words_.size(); }
    WordId word(std::size_t at) const { return words_[at]; }
    const std::vector<WordId>& words() const { return words_; }
    // The word as the aya writes it, marks included.
    QString marked(std::size_t at) const;
    // Where the word stands in its aya's text (UTF-16).
    qsizetype wordStart(std::size_t at) const { return placed_[at].at; }
    qsizetype wordLength(std::size_t at) const { return placed_[at].length; }
    // Which aya (its index in ayas()) the word belongs to.
    std::size_t ayaOf(std::size_t at) const { return ayaOfWord_[at]; }
    const std::vector<Aya>& ayas() const { return ayas_; }
    const Aya& aya(std::size_t index) const { return ayas_[index]; }
    const QString& ayaText(std::size_t index) const { return texts_[index]; }
    // The index of the aya with this ID (1..N).
    std::size_t indexOfId(qint64 id) const { return static_cast<std::size_t>(id - 1); }

    // The number of a folded spelling, or kUnknownWord when the text has
    // no such word.
    WordId idOf(std::u32string_view folded) const;
    const std::u32string& spelling(WordId id) const { return spellings_[id]; }
    // How many times the word occurs, and how little it says: -log2 of its
    // share of all words (about 5 bits for "من", over 15 for a rare word).
    std::uint32_t frequency(WordId id) const { return frequencies_[id]; }
    double bits(WordId id) const { return bits_[id]; }

    // The memory the words take, roughly, in bytes.
    std::size_t bytes() const;

private:
    struct Placed {
        std::uint32_t at = 0; // UTF-16 offset in the aya's text
        std::uint32_t length = 0;
    };

    std::vector<Aya> ayas_;
    std::vector<QString> texts_;
    std::vector<WordId> words_;
    std::vector<std::uint32_t> ayaOfWord_;
    std::vector<Placed> placed_;
    std::vector<std::u32string> spellings_;
    std::vector<std::uint32_t> frequencies_;
    std::vector<double> bits_;
    std::unordered_map<std::u32string, WordId> ids_;
};

// A word of a text a reader gives: where it stands (code points, and UTF-16
// for the widgets) and its folded spelling.
struct InputWord {
    qsizetype start = 0; // code points
    qsizetype length = 0;
    qsizetype utf16Start = 0;
    qsizetype utf16Length = 0;
    std::u32string folded;
};

// The words of any text: runs of letters (their marks, tatweel and joiners
// within them); blanks, punctuation, digits, brackets and every other sign
// separate words.
std::vector<InputWord> inputWords(QStringView text);

// Whether two folded spellings are near: one slip of a letter (added, left
// out or another) in words of three letters or more, two in words of seven
// or more. القرءان and القران are near; في and من are not.
bool nearSpelling(std::u32string_view a, std::u32string_view b);

} // namespace velmor::verify
