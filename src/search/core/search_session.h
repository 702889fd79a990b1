#pragma once

#include "match_spans.h"
#include "record_view.h"
#include "result_set.h"
#include "search_query.h"

#include <QString>
#include <functional>
#include <optional>

namespace velmor {

// What a selected result shows: its aya with the reference, its tafsir and
// its place.
struct ResultDetails {
    qint64 id = 0;
    QString ayaText; // as stored
    QString display; // the aya text, " (", the result line, " )"
    QString tafsir;
    QString suraClass;    // "مكية" or "مدنية"
    QString suraAyaCount; // as the reference list writes it
    int juz = 0;
    int page = 0;
    // What the search matched in the aya, as UTF-16 stretches of display
    // (the aya text stands at its start); none after a listing.
    QList<MatchSpan> spans;
};

// A search session without widgets: the results, the record walk that
// fills them, the one-whole-sura flag and what was searched for. The main
// window binds its widgets to it; the command line uses it too.
class SearchSession {
public:
    explicit SearchSession(store::Store& store);

    // The walking view (every listing) and the aya view (the selected aya).
    store::RecordView walker;
    store::RecordView ayaView;
    // Both views take the connection string; no query runs.
    void connect(const QString& connectionString);

    const ResultSet& results() const { return results_; }
    // 0 while the results are exactly one whole sura in aya order.
    qint16 notOneSura() const { return notOneSura_; }

    struct Search {
        QString text;
        bool wholeWord = true;
        bool operator==(const Search&) const = default;
    };
    // What the results were searched for; nothing after a listing.
    const std::optional<Search>& searchedFor() const { return searchedFor_; }
    // What finds the stretches of an aya the search matched, compiled once
    // for the search; nothing after a listing.
    const std::optional<SpanFinder>& spanFinder() const { return spanFinder_; }

    using Yield = std::function<void()>;
    // A search for the text (prepared by searchableText) with the options.
    // The rows are walked with a yield after each; the lines reach
    // showLines as they come. Returns false when a newer search or listing
    // superseded this one (which then owns the results). A walk that failed
    // halfway leaves no rows: what was read is not the result.
    bool search(const QString& text, const SearchOptions& options, const Yield& yield,
                const ResultSet::LineSink& showLines);
    // A listing (a whole sura or juz): the same, with no search text.
    bool list(const QString& query, qint16 notOneSura, const Yield& yield,
              const ResultSet::LineSink& showLines);
    // Every walk under way stops at its next step.
    void stopWalks() { results_.beginFill(); }

    // The details of result row; nothing outside the rows.
    std::optional<ResultDetails> details(int row);
    // The details of any aya by its ID, as a result of it would show them,
    // without the search's marks; nothing for an ID the table lacks.
    std::optional<ResultDetails> detailsOfAya(qint64 id);

private:
    bool fill(const QString& query, qint16 notOneSura, const Yield& yield,
              const ResultSet::LineSink& showLines);

    ResultSet results_;
    qint16 notOneSura_ = 0;
    std::optional<Search> searchedFor_;
    std::optional<SpanFinder> spanFinder_;
};

} // namespace velmor
