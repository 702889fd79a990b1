#pragma once

#include "library.h"

#include <QAbstractListModel>
#include <vector>

namespace velmor::library {

// What the side panel's lists give for each row beside its text.
enum LibraryRole {
    AyaRole = Qt::UserRole + 1, // the aya as sura * 1000 + aya; 0 for a heading
    CollectionRole,             // the collection's name
    HeadingRole,                // true for a collection's heading row
};

int ayaKey(AyaRef aya);
AyaRef ayaOfKey(int key);

// The bookmarks grouped by collection, in the collections' order: a heading
// row (its name and count, its colour) and then its bookmarks in reading order.
class BookmarkListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void reset(const std::vector<Collection>& collections, const std::vector<Bookmark>& marks);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    // A row's text is made when the view asks for it, so that a long list
    // costs only the rows on the screen.
    struct Row {
        int collection = 0; // into collections_
        AyaRef aya;         // none for a heading
        QString label;
    };
    QString textOf(const Row& row) const;
    std::vector<Collection> collections_;
    std::vector<int> counts_;
    std::vector<Row> rows_;
};

// The notes in reading order, each by its reference and first line; a filter
// keeps those whose text holds it (letters compared without their marks).
class NoteListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void reset(std::vector<Note> notes);
    void setFilter(const QString& filter);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    int total() const { return static_cast<int>(notes_.size()); }

private:
    void refilter();
    std::vector<Note> notes_;
    std::vector<QString> searchable_; // each note as the filter compares it
    std::vector<int> shown_;
    QString filter_;
};

// The recent searches, newest first.
class HistoryListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void reset(std::vector<RecentSearch> searches);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    const RecentSearch* at(int row) const;

private:
    std::vector<RecentSearch> searches_;
};

// A scope as the reader reads it: "كل القرآن", "الجزء ٣", "سورة البقرة"...
QString scopeTitle(const QString& scope);
// The first line of a note, for a list.
QString firstLine(const QString& text);

} // namespace velmor::library
