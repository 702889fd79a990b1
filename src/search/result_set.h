#pragma once

#include <QLabel>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace velmor::store {
class RecordView;
}

namespace velmor {

// The current results: the visible list of result lines, five hidden lists
// running parallel to it (entry i of each belongs to line i) and the count
// label. Every producer fills it by the same protocol: begin, refresh its
// query, walk, show the count, select the first line.
class ResultSet {
public:
    struct Record {
        QString sura, aya, id, juz, page;
    };

    ResultSet(QListWidget& suraayaalist, QLabel& score);

    // Hidden lists, read by the consumers at a line's index.
    const QStringList& soraanolist() const { return soraanolist_; }
    const QStringList& ayaanolist() const { return ayaanolist_; }
    const QStringList& ayaalist() const { return ayaalist_; }
    const QStringList& chapterNOlist() const { return chapterNOlist_; }
    const QStringList& pagenolist() const { return pagenolist_; }

    int count() const { return static_cast<int>(ayaalist_.size()); }
    // The five hidden values at index i; nothing outside the lists.
    std::optional<Record> at(int index) const;

    void clear();
    void showCount();
    // Selecting by program runs the list's selection handling like a click.
    void selectFirst();

    // A fill in progress. A newer fill supersedes every older one: a walk
    // that finds itself superseded after a yield stops without touching the
    // lists or its record view again, so the lists always hold the complete
    // result of exactly one fill.
    using FillToken = quint64;
    FillToken beginFill() { return ++generation_; }
    bool isCurrent(FillToken token) const { return token == generation_; }
    FillToken latestFill() const { return generation_; }

    // Clears the lists and appends every row of the view (which must be
    // refreshed already), yielding once after each row. Returns false when
    // superseded.
    bool walk(FillToken token, store::RecordView& view, const std::function<void()>& yield);

private:
    void appendHidden(const Record& record);

    QListWidget& suraayaalist_;
    QLabel& score_;
    QStringList soraanolist_, ayaanolist_, ayaalist_, chapterNOlist_, pagenolist_;
    FillToken generation_ = 0;
};

} // namespace velmor
