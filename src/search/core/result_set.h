#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace velmor::store {
class RecordView;
}

namespace velmor {

// The result line of an aya: the sura name, " : ", the aya number. A sura
// number outside 1..114 gives an empty name.
QString resultLine(int sura, int aya);

// One result: the aya's numbers as the database has them, and its line,
// made once from them.
struct ResultRow {
    qint64 id = 0;
    int sura = 0;
    int aya = 0;
    int juz = 0;
    int page = 0;
    QString line;
};

// The result of the view's current row.
ResultRow resultRowOf(const store::RecordView& view);

// The current results. Every producer fills them by the same protocol:
// begin, refresh its query, walk, then show the count and select the first
// line. A newer fill supersedes every older one: a walk that finds itself
// superseded after a yield stops without touching the rows or its record
// view again, so the rows always hold the complete result of one fill.
class ResultSet {
public:
    using FillToken = quint64;
    // Receives result lines to show, in order.
    using LineSink = std::function<void(const QStringList& lines)>;

    const std::vector<ResultRow>& rows() const { return rows_; }
    int count() const { return static_cast<int>(rows_.size()); }
    // The row at index i; nothing outside the rows.
    const ResultRow* at(int index) const;

    FillToken beginFill() { return ++generation_; }
    bool isCurrent(FillToken token) const { return token == generation_; }
    FillToken latestFill() const { return generation_; }

    void clear() { rows_.clear(); }

    // Replaces the rows with every row of the view (which must be refreshed
    // already), yielding once after each. The lines reach showLines once a
    // frame and at the end: showing them row by row would cost far more than
    // the rows themselves. Returns false when superseded.
    bool walk(FillToken token, store::RecordView& view, const std::function<void()>& yield,
              const LineSink& showLines);

private:
    std::vector<ResultRow> rows_;
    FillToken generation_ = 0;
};

} // namespace velmor
