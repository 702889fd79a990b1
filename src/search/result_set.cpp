#include "result_set.h"

#include "record_view.h"
#include "result_line.h"

#include <QElapsedTimer>

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

void ResultSet::appendHidden(const Record& record) {
    soraanolist_.append(record.sura);
    ayaanolist_.append(record.aya);
    ayaalist_.append(record.id);
    chapterNOlist_.append(record.juz);
    pagenolist_.append(record.page);
}

void ResultSet::showCount() {
    score_.setText(QString::number(suraayaalist_.count()));
}

void ResultSet::selectFirst() {
    if (suraayaalist_.count() > 0) {
        suraayaalist_.setCurrentRow(0);
    }
}

namespace {

// Says when a frame's worth of time has passed since the last frame.
class FrameClock {
public:
    FrameClock() { sinceFrame_.start(); }
    bool frameDue() {
        if (sinceFrame_.elapsed() < kFrameMs) {
            return false;
        }
        sinceFrame_.restart();
        return true;
    }

private:
    static constexpr qint64 kFrameMs = 16;
    QElapsedTimer sinceFrame_;
};

} // namespace

bool ResultSet::walk(FillToken token, store::RecordView& view, const std::function<void()>& yield) {
    clear();
    // The hidden lists take each row at once; the visible lines reach the
    // list once a frame. Every yield still runs all pending events, but
    // inserting and laying out the list per row would cost far more than
    // the row itself (the list lays itself out again at every insertion).
    QStringList pendingLines;
    FrameClock clock;
    while (!view.eof()) {
        const Record record{view.field(u"soraano"), view.field(u"ayaano"), view.field(u"ID"),
                            view.field(u"chapterNO"), view.field(u"pageno")};
        appendHidden(record);
        pendingLines.append(resultLine(record.sura, record.aya));
        view.moveNext();
        if (clock.frameDue()) {
            suraayaalist_.addItems(pendingLines);
            pendingLines.clear();
        }
        yield();
        if (!isCurrent(token)) {
            return false; // the lines belong to the newer fill now
        }
    }
    suraayaalist_.addItems(pendingLines);
    return true;
}

} // namespace velmor
