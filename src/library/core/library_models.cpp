#include "library_models.h"

#include "reference_lists.h"
#include "result_set.h"
#include "search_scope.h"
#include "sura_text.h"

#include <QColor>

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
    rows_.clear();
    for (const Collection& collection : collections) {
        const std::size_t heading = rows_.size();
        rows_.push_back({true, collection.name, collection.color, {}, {}});
        int count = 0;
        for (const Bookmark& mark : marks) {
            if (mark.collection == collection.name) {
                ++count;
                const QString line = resultLine(mark.aya.sura, mark.aya.aya);
                rows_.push_back(
                    {false, collection.name, collection.color, mark.aya,
                     mark.label.isEmpty() ? line : line + QStringLiteral(" — ") + mark.label});
            }
        }
        rows_[heading].text = QStringLiteral("%1 (%2)").arg(collection.name).arg(count);
    }
    endResetModel();
}

int BookmarkListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant BookmarkListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return row.text;
    case Qt::DecorationRole:
        return QColor(row.color);
    case AyaRole:
        return row.heading ? 0 : ayaKey(row.aya);
    case CollectionRole:
        return row.collection;
    case HeadingRole:
        return row.heading;
    default:
        return {};
    }
}

void NoteListModel::reset(std::vector<Note> notes) {
    notes_ = std::move(notes);
    searchable_.clear();
    searchable_.reserve(notes_.size());
    for (const Note& note : notes_) {
        searchable_.push_back(withoutMarks(note.text));
    }
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
