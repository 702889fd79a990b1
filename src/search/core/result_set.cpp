#include "result_set.h"

#include "frame_clock.h"
#include "record_view.h"
#include "reference_lists.h"

#include <QElapsedTimer>

namespace velmor {

QString resultLine(int sura, int aya) {
    const QStringList& names = store::compairlist();
    const QString separator = QStringLiteral(" : ");
    const QString number = QString::number(aya);
    QString line;
    if (sura >= 1 && sura <= names.size()) {
        line.reserve(names[sura - 1].size() + separator.size() + number.size());
        line += names[sura - 1];
    }
    line += separator;
    line += number;
    return line;
}

const ResultRow* ResultSet::at(int index) const {
    return index >= 0 && index < count() ? &rows_[static_cast<std::size_t>(index)] : nullptr;
}

ResultRow resultRowOf(const store::RecordView& view) {
    const auto number = [&view](QStringView column) {
        return static_cast<int>(view.integer(column));
    };
    ResultRow row{view.integer(u"ID"),  number(u"soraano"), number(u"ayaano"),
                  number(u"chapterNO"), number(u"pageno"),  {}};
    row.line = resultLine(row.sura, row.aya);
    return row;
}

bool ResultSet::walk(FillToken token, store::RecordView& view, const std::function<void()>& yield,
                     const LineSink& showLines) {
    rows_.clear();
    QStringList pendingLines;
    FrameClock clock;
    while (!view.eof()) {
        rows_.push_back(resultRowOf(view));
        pendingLines.append(rows_.back().line);
        view.moveNext();
        if (clock.due()) {
            showLines(pendingLines);
            pendingLines.clear();
        }
        yield();
        if (!isCurrent(token)) {
            return false; // the rows belong to the newer fill now
        }
    }
    showLines(pendingLines);
    return true;
}

} // namespace velmor
