#include "quran_words.h"

#include "arabic_fold.h"
#include "catalogue.h"
#include "record_view.h"

#include <QChar>
#include <algorithm>
#include <cmath>
#include <utility>

namespace velmor::verify {

namespace {

// What a code point is to the splitting of a reader's text into words.
enum class Kind { Letter, InWord, Separator };

Kind kindOf(char32_t c) {
    if (store::isIgnoredMark(c) || c == 0x200C || c == 0x200D) {
        return Kind::InWord; // a mark, the tatweel, the joiners
    }
    const auto category = QChar::category(c);
    if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
        category == QChar::Mark_Enclosing) {
        return Kind::InWord;
    }
    return QChar::isLetter(c) ? Kind::Letter : Kind::Separator;
}

// The folded letters of a stored word (marks dropped).
std::u32string foldedWord(QStringView word) {
    std::u32string folded;
    for (const char32_t c : word.toUcs4()) {
        if (const char32_t f = store::foldCodePoint(c); f != 0) {
            folded += f;
        }
    }
    return folded;
}

bool isBlank(QChar c) {
    return c == u' ' || c == QChar(0x00A0);
}

} // namespace

Outcome<std::shared_ptr<const QuranWords>> QuranWords::read(store::RecordView& view) {
    view.setRecordSource(store::catalogue::everyAyaText());
    view.refresh();
    std::vector<StoredAya> ayas;
    ayas.reserve(6236);
    for (; !view.eof(); view.moveNext()) {
        ayas.push_back({view.integer(u"ID"), static_cast<int>(view.integer(u"soraano")),
                        static_cast<int>(view.integer(u"ayaano")), view.field(u"ayaa")});
        if (ayas.back().id != static_cast<qint64>(ayas.size())) {
            return Outcome<std::shared_ptr<const QuranWords>>::failed(
                QStringLiteral("the ayas' IDs do not run 1..N in reading order"));
        }
    }
    if (view.failed() || ayas.empty()) {
        return Outcome<std::shared_ptr<const QuranWords>>::failed(
            QStringLiteral("the text of the ayas cannot be read"));
    }
    return std::shared_ptr<const QuranWords>(std::make_shared<QuranWords>(std::move(ayas)));
}

QuranWords::QuranWords(std::vector<StoredAya> ayas) {
    ayas_.reserve(ayas.size());
    texts_.reserve(ayas.size());
    for (StoredAya& stored : ayas) {
        Aya aya{stored.id, stored.sura, stored.aya, static_cast<std::uint32_t>(words_.size()), 0};
        const QString& text = stored.text;
        for (qsizetype k = 0; k < text.size();) {
            while (k < text.size() && isBlank(text[k])) {
                ++k;
            }
            const qsizetype start = k;
            while (k < text.size() && !isBlank(text[k])) {
                ++k;
            }
            if (k == start) {
                break;
            }
            std::u32string folded = foldedWord(QStringView(text).mid(start, k - start));
            if (folded.empty()) {
                continue; // a pause mark, or a sign alone
            }
            auto [found, added] = ids_.try_emplace(folded, static_cast<WordId>(spellings_.size()));
            if (added) {
                spellings_.push_back(std::move(folded));
                frequencies_.push_back(0);
            }
            ++frequencies_[found->second];
            words_.push_back(found->second);
            ayaOfWord_.push_back(static_cast<std::uint32_t>(ayas_.size()));
            placed_.push_back(
                {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(k - start)});
            ++aya.count;
        }
        ayas_.push_back(aya);
        texts_.push_back(std::move(stored.text));
    }
    bits_.reserve(frequencies_.size());
    const double total = static_cast<double>(std::max<std::size_t>(words_.size(), 1));
    for (const std::uint32_t frequency : frequencies_) {
        bits_.push_back(-std::log2(frequency / total));
    }
}

QString QuranWords::marked(std::size_t at) const {
    const Placed& place = placed_[at];
    return texts_[ayaOfWord_[at]].mid(place.at, place.length);
}

WordId QuranWords::idOf(std::u32string_view folded) const {
    const auto found = ids_.find(std::u32string(folded));
    return found == ids_.end() ? kUnknownWord : found->second;
}

std::size_t QuranWords::bytes() const {
    std::size_t total = ayas_.size() * sizeof(Aya) + words_.size() * sizeof(WordId) +
                        ayaOfWord_.size() * sizeof(std::uint32_t) +
                        placed_.size() * sizeof(Placed) +
                        frequencies_.size() * (sizeof(std::uint32_t) + sizeof(double));
    for (const QString& text : texts_) {
        total += sizeof(QString) + static_cast<std::size_t>(text.capacity()) * 2;
    }
    for (const std::u32string& spelling : spellings_) {
        // the spelling, and its copy as the map's key with the map's node
        total += 2 * (sizeof(std::u32string) + spelling.capacity() * 4) + 32;
    }
    return total;
}

std::vector<InputWord> inputWords(QStringView text) {
    std::vector<InputWord> found;
    InputWord word;
    bool inWord = false;
    qsizetype codePoint = 0;
    for (qsizetype k = 0; k < text.size(); ++codePoint) {
        const qsizetype at = k;
        char32_t c = text[k].unicode();
        if (text[k].isHighSurrogate() && k + 1 < text.size() && text[k + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[k], text[k + 1]);
            k += 2;
        } else {
            ++k;
        }
        const Kind kind = kindOf(c);
        if (kind == Kind::Letter || (inWord && kind == Kind::InWord)) {
            if (!inWord) {
                word = InputWord{codePoint, 0, at, 0, {}};
                inWord = true;
            }
            if (const char32_t f = store::foldCodePoint(c); f != 0) {
                word.folded += f;
            }
            word.length = codePoint + 1 - word.start;
            word.utf16Length = k - word.utf16Start;
        } else if (inWord) {
            found.push_back(std::exchange(word, InputWord{}));
            inWord = false;
        }
    }
    if (inWord) {
        found.push_back(std::exchange(word, InputWord{}));
    }
    return found;
}

bool nearSpelling(std::u32string_view a, std::u32string_view b) {
    if (a.size() > b.size()) {
        std::swap(a, b);
    }
    if (a.size() < 2 || b.size() < 3) {
        return false;
    }
    const std::size_t allowed = b.size() >= 7 ? 2 : 1;
    if (b.size() - a.size() > allowed) {
        return false;
    }
    // Levenshtein distance, one row at a time.
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        std::size_t best = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > allowed) {
            return false;
        }
    }
    return row[b.size()] <= allowed && a != b;
}

} // namespace velmor::verify
