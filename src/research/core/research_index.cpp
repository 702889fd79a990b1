#include "research_index.h"

#include "arabic_fold.h"
#include "catalogue.h"
#include "jet_like.h"
#include "quran_words.h"
#include "record_view.h"

#include <algorithm>

namespace velmor::research {

namespace {

// How a typed word must fit a word of the text at its place in a phrase.
enum class Fit { Whole, Ends, Begins, Inside };

// The word numbers of a source that a typed word fits.
std::vector<bool> fitting(const SourceWords& words, const QString& typed, Fit fit) {
    std::vector<bool> fits(words.spellings.size(), false);
    const bool literal = !typed.contains(u'%') && !typed.contains(u'_');
    if (fit == Fit::Whole && literal) {
        const auto found = words.numbers.find(store::foldUtf8(typed.toStdString()));
        if (found != words.numbers.end()) {
            fits[found->second] = true;
        }
        return fits;
    }
    const QString pattern =
        (fit == Fit::Ends || fit == Fit::Inside ? QStringLiteral("%") : QString()) + typed +
        (fit == Fit::Begins || fit == Fit::Inside ? QStringLiteral("%") : QString());
    const store::LikePattern like(pattern.toStdString());
    for (std::size_t k = 0; k < words.spellings.size(); ++k) {
        fits[k] = like.matchesFolded(words.spellings[k]);
    }
    return fits;
}

// Where one term matched in each aya of a source (empty where it did not).
using TermMatches = std::vector<QList<MatchSpan>>;

TermMatches matchTerm(const ResearchIndex& index, Source source, const Term& term, bool partial,
                      const std::vector<bool>& scoped) {
    const SourceWords& words = index.words(source);
    TermMatches found(index.ayas().size());
    for (const Phrase& phrase : term.choices) {
        const auto n = static_cast<std::size_t>(phrase.words.size());
        std::vector<std::vector<bool>> fits;
        for (std::size_t k = 0; k < n; ++k) {
            Fit fit = Fit::Whole;
            if (partial) {
                fit = n == 1       ? Fit::Inside
                      : k == 0     ? Fit::Ends
                      : k + 1 == n ? Fit::Begins
                                   : Fit::Whole;
            }
            fits.push_back(fitting(words, phrase.words[static_cast<qsizetype>(k)], fit));
        }
        for (std::size_t aya = 0; aya < found.size(); ++aya) {
            if (!scoped[aya]) {
                continue;
            }
            const std::size_t last = words.firstOfAya[aya + 1];
            for (std::size_t at = words.firstOfAya[aya]; at + n <= last; ++at) {
                std::size_t k = 0;
                while (k < n && fits[k][words.words[at + k]]) {
                    ++k;
                }
                if (k == n) {
                    const MatchSpan& from = words.spans[at];
                    const MatchSpan& to = words.spans[at + n - 1];
                    found[aya].append({from.start, to.start + to.length - from.start});
                    at += n - 1;
                }
            }
        }
    }
    return found;
}

// The spans in order, those that overlap made one.
QList<MatchSpan> merged(QList<MatchSpan> spans) {
    std::sort(spans.begin(), spans.end(),
              [](const MatchSpan& a, const MatchSpan& b) { return a.start < b.start; });
    QList<MatchSpan> out;
    for (const MatchSpan& span : spans) {
        if (!out.isEmpty() && span.start <= out.last().start + out.last().length) {
            MatchSpan& last = out.last();
            last.length = std::max(last.start + last.length, span.start + span.length) - last.start;
        } else {
            out.append(span);
        }
    }
    return out;
}

} // namespace

QString sourceKey(Source source) {
    switch (source) {
    case Source::Quran:
        return QStringLiteral("quran");
    case Source::Muyassar:
        return QStringLiteral("muyassar");
    case Source::Jalalayn:
        return QStringLiteral("jalalayn");
    }
    return {};
}

std::optional<Source> sourceNamed(const QString& key) {
    for (const Source source : kSources) {
        if (sourceKey(source) == key.trimmed()) {
            return source;
        }
    }
    return std::nullopt;
}

QString sourceTitle(Source source) {
    switch (source) {
    case Source::Quran:
        return QStringLiteral("القرآن");
    case Source::Muyassar:
        return QStringLiteral("التفسير الميسر");
    case Source::Jalalayn:
        return QStringLiteral("تفسير الجلالين");
    }
    return {};
}

SourceWords wordsOf(const std::vector<QString>& texts) {
    SourceWords words;
    words.firstOfAya.reserve(texts.size() + 1);
    for (const QString& text : texts) {
        words.firstOfAya.push_back(static_cast<std::uint32_t>(words.words.size()));
        for (const verify::InputWord& word : verify::inputWords(text)) {
            std::string folded = store::encodeUtf8(word.folded);
            auto [found, added] = words.numbers.try_emplace(
                folded, static_cast<std::uint32_t>(words.spellings.size()));
            if (added) {
                words.spellings.push_back(std::move(folded));
            }
            words.words.push_back(found->second);
            words.spans.push_back({word.start, word.length});
        }
    }
    words.firstOfAya.push_back(static_cast<std::uint32_t>(words.words.size()));
    return words;
}

bool inScope(const ResearchAya& aya, const SearchOptions& scope) {
    switch (scope.scope) {
    case 1:
        return aya.juz == scope.part + 1;
    case 2:
        return aya.juz >= scope.part1 + 1 && aya.juz <= scope.part2 + 1;
    case 3:
        return aya.sura == scope.sora + 1;
    case 4:
        return aya.sura >= scope.sora1 + 1 && aya.sura <= scope.sora2 + 1;
    default:
        return true;
    }
}

Outcome<std::shared_ptr<const ResearchIndex>> ResearchIndex::read(store::RecordView& view) {
    using Read = Outcome<std::shared_ptr<const ResearchIndex>>;
    std::vector<ResearchAya> ayas;
    std::array<std::vector<QString>, 3> texts;
    view.setRecordSource(store::catalogue::everyAyaForResearch());
    view.refresh();
    for (; !view.eof(); view.moveNext()) {
        ayas.push_back({view.integer(u"ID"), static_cast<int>(view.integer(u"soraano")),
                        static_cast<int>(view.integer(u"ayaano")),
                        static_cast<int>(view.integer(u"chapterNO"))});
        texts[0].push_back(view.field(u"ayaa"));
        texts[1].push_back(view.field(u"taf"));
        if (ayas.back().id != static_cast<qint64>(ayas.size())) {
            return Read::failed(QStringLiteral("the ayas' IDs do not run 1..N in reading order"));
        }
    }
    if (view.failed() || ayas.empty()) {
        return Read::failed(QStringLiteral("the text of the ayas cannot be read"));
    }
    view.setRecordSource(store::catalogue::everyJalalayn());
    view.refresh();
    for (; !view.eof(); view.moveNext()) {
        texts[2].push_back(view.field(u"taf"));
    }
    if (view.failed() || texts[2].size() != ayas.size()) {
        return Read::failed(QStringLiteral("al-Jalalayn cannot be read for every aya"));
    }
    return std::shared_ptr<const ResearchIndex>(
        std::make_shared<const ResearchIndex>(std::move(ayas), texts));
}

ResearchIndex::ResearchIndex(std::vector<ResearchAya> ayas,
                             const std::array<std::vector<QString>, 3>& texts)
    : ayas_(std::move(ayas)), texts_(texts) {
    for (std::size_t k = 0; k < texts_.size(); ++k) {
        sources_[k] = wordsOf(texts_[k]);
    }
}

std::vector<Hit> ResearchIndex::find(const Research& research) const {
    std::vector<bool> scoped(ayas_.size());
    for (std::size_t aya = 0; aya < ayas_.size(); ++aya) {
        scoped[aya] = inScope(ayas_[aya], research.scope);
    }
    std::vector<Source> sources = research.sources;
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    std::vector<std::vector<Hit>> bySource;
    for (const Source source : sources) {
        std::vector<bool> left = scoped;
        for (const Term& term : research.query.excluded) {
            const TermMatches matches = matchTerm(*this, source, term, research.partial, left);
            for (std::size_t aya = 0; aya < left.size(); ++aya) {
                left[aya] = left[aya] && matches[aya].isEmpty();
            }
        }
        std::vector<QList<MatchSpan>> spans(ayas_.size());
        for (const Term& term : research.query.required) {
            const TermMatches matches = matchTerm(*this, source, term, research.partial, left);
            for (std::size_t aya = 0; aya < left.size(); ++aya) {
                left[aya] = left[aya] && !matches[aya].isEmpty();
                if (left[aya]) {
                    spans[aya] += matches[aya];
                }
            }
        }
        std::vector<Hit> hits;
        for (std::size_t aya = 0; aya < left.size(); ++aya) {
            if (left[aya]) {
                hits.push_back({aya, source, merged(std::move(spans[aya]))});
            }
        }
        bySource.push_back(std::move(hits));
    }
    std::vector<Hit> all;
    for (std::vector<Hit>& hits : bySource) {
        all.insert(all.end(), std::make_move_iterator(hits.begin()),
                   std::make_move_iterator(hits.end()));
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Hit& a, const Hit& b) { return a.aya < b.aya; });
    return all;
}

} // namespace velmor::research
