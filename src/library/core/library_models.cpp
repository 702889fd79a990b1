#include "library_models.h"

#include "reference_lists.h"
#include "result_set.h"
#include "search_scope.h"
#include "sura_text.h"

#include <QColor>
#include <QHash>

namespace velmor::library {

int ayaKey(AyaRef aya) {
    return aya.sura * 1000 + aya.aya;
}

AyaRef ayaOfKey(int key) {
    return {key / 1000, key % 1000};
}

QString firstLine(const QString& text) {
    const QString line = text.section(u'\n', 0, 0).trimmed();
    return line.size() > 120 ? line.left(120) + QStringLiteral("…") : line;
}

QString scopeTitle(const QString& scope) {
    const auto o = searchOptionsOf(scope, false);
    if (!o) {
        return scope;
    }
    const QStringList& names = store::pickerSuraNames();
    switch (o->scope) {
    case 1:
        return QStringLiteral("الجزء %1").arg(o->part + 1);
    case 2:
        return QStringLiteral("الأجزاء %1-%2").arg(o->part1 + 1).arg(o->part2 + 1);
    case 3:
        return QStringLiteral("سورة ") + names.value(o->sora);
    case 4:
        return QStringLiteral("السور %1-%2").arg(names.value(o->sora1), names.value(o->sora2));
    default:
        return QStringLiteral("كل القرآن");
    }
}

void BookmarkListModel::reset(const std::vector<Collection>& collections,
                              const std::vector<Bookmark>& marks) {
    beginResetModel();
    collections_ = collections;
    counts_.assign(collections_.size(), 0);
    std::vector<std::vector<const Bookmark*>> grouped(collections_.size());
    QHash<QString, int> at;
    for (std::size_t k = 0; k < collections_.size(); ++k) {
        at.insert(collections_[k].name, static_cast<int>(k));
    }
    for (const Bookmark& mark : marks) {
        if (const auto found = at.constFind(mark.collection); found != at.constEnd()) {
            grouped[static_cast<std::size_t>(*found)].push_back(&mark);
        }
    }
    rows_.clear();
    rows_.reserve(marks.size() + collections_.size());
    for (std::size_t k = 0; k < collections_.size(); ++k) {
        const int index = static_cast<int>(k);
        rows_.push_back({index, {}, {}});
        counts_[k] = static_cast<int>(grouped[k].size());
        for (const Bookmark* mark : grouped[k]) {
            rows_.push_back({index, mark->aya, mark->label});
        }
    }
    endResetModel();
}

QString BookmarkListModel::textOf(const Row& row) const {
    const Collection& collection = collections_[static_cast<std::size_t>(row.collection)];
    if (row.aya.sura == 0) {
        return QStringLiteral("%1 (%2)")
            .arg(collection.name)
            .arg(counts_[static_cast<std::size_t>(row.collection)]);
    }
    const QString line = resultLine(row.aya.sura, row.aya.aya);
    return row.label.isEmpty() ? line : line + QStringLiteral(" — ") + row.label;
}

int BookmarkListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant BookmarkListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    const Collection& collection = collections_[static_cast<std::size_t>(row.collection)];
    const bool heading = row.aya.sura == 0;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return textOf(row);
    case Qt::DecorationRole:
        return QColor(collection.color);
    case AyaRole:
        return heading ? 0 : ayaKey(row.aya);
    case CollectionRole:
        return collection.name;
    case HeadingRole:
        return heading;
    default:
        return {};
    }
}

void NoteListModel::reset(std::vector<Note> notes) {
    notes_ = std::move(notes);
    searchable_.clear(); // made when the filter is first used
    refilter();
}

void NoteListModel::setFilter(const QString& filter) {
    const QString wanted = withoutMarks(filter.trimmed());
    if (wanted != filter_) {
        filter_ = wanted;
        refilter();
    }
}

void NoteListModel::refilter() {
    beginResetModel();
    shown_.clear();
    if (!filter_.isEmpty() && searchable_.size() != notes_.size()) {
        searchable_.reserve(notes_.size());
        for (const Note& note : notes_) {
            searchable_.push_back(withoutMarks(note.text));
        }
    }
    for (std::size_t k = 0; k < notes_.size(); ++k) {
        if (filter_.isEmpty() || searchable_[k].contains(filter_, Qt::CaseInsensitive)) {
            shown_.push_back(static_cast<int>(k));
        }
    }
    endResetModel();
}

int NoteListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant NoteListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Note& note =
        notes_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(index.row())])];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return resultLine(note.aya.sura, note.aya.aya) + QStringLiteral(" — ") +
               firstLine(note.text);
    case AyaRole:
        return ayaKey(note.aya);
    default:
        return {};
    }
}

void HistoryListModel::reset(std::vector<RecentSearch> searches) {
    beginResetModel();
    searches_ = std::move(searches);
    endResetModel();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(searches_.size());
}

const RecentSearch* HistoryListModel::at(int row) const {
    return row >= 0 && row < rowCount() ? &searches_[static_cast<std::size_t>(row)] : nullptr;
}

QVariant HistoryListModel::data(const QModelIndex& index, int role) const {
    const RecentSearch* search = at(index.row());
    if (!index.isValid() || search == nullptr) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return QStringLiteral("%1 · %2%3")
            .arg(search->text, scopeTitle(search->scope),
                 search->partial ? QStringLiteral(" · جزء من كلمة") : QString());
    }
    return {};
}

} // namespace velmor::library
