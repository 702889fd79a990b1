#pragma once

#include "match_spans.h"
#include "outcome.h"
#include "research_query.h"
#include "search_query.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace velmor::store {
class RecordView;
}

namespace velmor::research {

// Where a researcher may search.
enum class Source { Quran, Muyassar, Jalalayn };
constexpr std::array<Source, 3> kSources{Source::Quran, Source::Muyassar, Source::Jalalayn};
// Its name on the command line ("quran", "muyassar", "jalalayn").
QString sourceKey(Source source);
std::optional<Source> sourceNamed(const QString& key);
// Its Arabic title: "القرآن", "التفسير الميسر", "تفسير الجلالين".
QString sourceTitle(Source source);

// One source's text as words, every aya's in reading order: each word's
// folded spelling (by number) and its place in the stored text (code
// points). In a tafsir anything that is not a letter or a mark (punctuation,
// digits, brackets, quotation marks) separates words.
struct SourceWords {
    std::vector<std::uint32_t> firstOfAya; // aya index -> its first word; one more at the end
    std::vector<std::uint32_t> words;
    std::vector<MatchSpan> spans;
    std::vector<std::string> spellings; // folded UTF-8, by number
    std::unordered_map<std::string, std::uint32_t> numbers;
};
SourceWords wordsOf(const std::vector<QString>& texts);

// Where an aya stands, for the scopes and the counts.
struct ResearchAya {
    qint64 id = 0;
    int sura = 0;
    int aya = 0;
    int juz = 0;
};

// One source's match in one aya: the stretches of its stored text that the
// required terms matched (code points), in order.
struct Hit {
    std::size_t aya = 0; // index into ayas()
    Source source = Source::Quran;
    QList<MatchSpan> spans;
};

// What a research asks for.
struct Research {
    Query query;
    std::vector<Source> sources{Source::Quran};
    bool partial = false; // a word may be part of a longer word
    SearchOptions scope;  // its scope and pickers (its whole-word choice is not read)
};

// The three sources' words over every aya, read once; immutable, so
// threads may share it.
class ResearchIndex {
public:
    // Reads the text, al-Muyassar and al-Jalalayn through the view.
    static Outcome<std::shared_ptr<const ResearchIndex>> read(store::RecordView& view);
    ResearchIndex(std::vector<ResearchAya> ayas, const std::array<std::vector<QString>, 3>& texts);

    const std::vector<ResearchAya>& ayas() const { return ayas_; }
    const SourceWords& words(Source source) const {
        return sources_[static_cast<std::size_t>(source)];
    }
    const QString& text(Source source, std::size_t aya) const {
        return texts_[static_cast<std::size_t>(source)][aya];
    }

    // Every hit, in reading order (and the sources' order within an aya).
    std::vector<Hit> find(const Research& research) const;

private:
    std::vector<ResearchAya> ayas_;
    std::array<std::vector<QString>, 3> texts_;
    std::array<SourceWords, 3> sources_;
};

// Whether an aya's place lies in the scope (as the designed scopes read
// the pickers: index + 1 is the number).
bool inScope(const ResearchAya& aya, const SearchOptions& scope);

} // namespace velmor::research
