#include "result_set.h"

#include "record_view.h"
#include "result_line.h"

namespace velmor {

ResultSet::ResultSet(QListWidget& suraayaalist, QLabel& score)
    : suraayaalist_(suraayaalist), score_(score) {}

std::optional<ResultSet::Record> ResultSet::at(int index) const {
    if (index < 0 || index >= count()) {
        return std::nullopt;
    }
    return Record{soraanolist_[index], ayaanolist_[index], ayaalist_[index], chapterNOlist_[index],
                  pagenolist_[index]};
}

void ResultSet::clear() {
    suraayaalist_.clear();
    ayaalist_.clear();
    ayaanolist_.clear();
    soraanolist_.clear();
    chapterNOlist_.clear();
    pagenolist_.clear();
}

void ResultSet::append(const Record& record) {
    soraanolist_.append(record.sura);
    ayaanolist_.append(record.aya);
    ayaalist_.append(record.id);
    chapterNOlist_.append(record.juz);
    pagenolist_.append(record.page);
    suraayaalist_.addItem(resultLine(record.sura, record.aya));
}

void ResultSet::showCount() {
    score_.setText(QString::number(suraayaalist_.count()));
}

void ResultSet::selectFirst() {
    if (suraayaalist_.count() > 0) {
        suraayaalist_.setCurrentRow(0);
    }
}

bool ResultSet::walk(FillToken token, store::RecordView& view, const std::function<void()>& yield) {
    clear();
    while (!view.eof()) {
        append({view.field(u"soraano"), view.field(u"ayaano"), view.field(u"ID"),
                view.field(u"chapterNO"), view.field(u"pageno")});
        view.moveNext();
        yield();
        if (!isCurrent(token)) {
            return false;
        }
    }
    return true;
}

} // namespace velmor
