#include "search_session.h"

#include "catalogue.h"
#include "composition.h"
#include "reference_lists.h"

namespace velmor {

SearchSession::SearchSession(store::Store& store) : walker(store), ayaView(store) {}

void SearchSession::connect(const QString& connectionString) {
    walker.setConnectionString(connectionString);
    ayaView.setConnectionString(connectionString);
}

bool SearchSession::search(const QString& text, const SearchOptions& options, const Yield& yield,
                           const ResultSet::LineSink& showLines) {
    searchedFor_ = Search{text, options.wholeWord};
    spanFinder_.emplace(text, options.wholeWord);
    return fill(composeSearchQuery(text, options), 1, yield, showLines);
}

bool SearchSession::list(const QString& query, qint16 notOneSura, const Yield& yield,
                         const ResultSet::LineSink& showLines) {
    searchedFor_.reset();
    spanFinder_.reset();
    return fill(query, notOneSura, yield, showLines);
}

bool SearchSession::fill(const QString& query, qint16 notOneSura, const Yield& yield,
                         const ResultSet::LineSink& showLines) {
    const ResultSet::FillToken token = results_.beginFill();
    walker.setRecordSource(query);
    notOneSura_ = notOneSura;
    walker.refresh();
    const bool complete = results_.walk(token, walker, yield, showLines);
    if (complete && walker.failed()) {
        results_.clear(); // the failure has been reported
    }
    return complete;
}

std::optional<ResultDetails> SearchSession::details(int row) {
    const ResultRow* result = results_.at(row);
    if (result == nullptr) {
        return std::nullopt;
    }
    // The aya is fetched anew, so the reference is shown once however
    // often the line is selected.
    ayaView.setRecordSource(store::catalogue::oneAya(result->id));
    ayaView.refresh();
    ResultDetails shown;
    shown.id = result->id;
    shown.ayaText = ayaView.field(u"ayaa");
    shown.display = ayaDisplayText(shown.ayaText, result->line);
    shown.tafsir = ayaView.field(u"taf");
    if (result->sura >= 1 && result->sura <= store::typelist().size()) {
        shown.suraClass = store::typelist()[result->sura - 1];
        shown.suraAyaCount = store::soraayanumlist()[result->sura - 1];
    }
    shown.juz = result->juz;
    shown.page = result->page;
    if (spanFinder_) {
        shown.spans = utf16Spans(spanFinder_->spans(shown.ayaText), shown.ayaText);
    }
    return shown;
}

std::optional<ResultDetails> SearchSession::detailsOfAya(qint64 id) {
    ayaView.setRecordSource(store::catalogue::oneAya(id));
    ayaView.refresh();
    if (ayaView.eof()) {
        return std::nullopt;
    }
    ResultDetails shown;
    shown.id = id;
    shown.ayaText = ayaView.field(u"ayaa");
    const int sura = static_cast<int>(ayaView.integer(u"soraano"));
    shown.display = ayaDisplayText(shown.ayaText,
                                   resultLine(sura, static_cast<int>(ayaView.integer(u"ayaano"))));
    shown.tafsir = ayaView.field(u"taf");
    if (sura >= 1 && sura <= store::typelist().size()) {
        shown.suraClass = store::typelist()[sura - 1];
        shown.suraAyaCount = store::soraayanumlist()[sura - 1];
    }
    shown.juz = static_cast<int>(ayaView.integer(u"chapterNO"));
    shown.page = static_cast<int>(ayaView.integer(u"pageno"));
    return shown;
}

} // namespace velmor
