#include "long_text_box.h"

#include "frame_clock.h"

#include <QElapsedTimer>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>

namespace velmor {

namespace {

// What one layout takes of a paragraph: about twenty lines, where a
// layout's own set-up costs least.
constexpr qsizetype kStretchLength = 2048;
// What breaking lines takes of a turn: a stretch may go past it, and the
// paint of the lines shown may follow in the same frame.
constexpr qint64 kTurnMs = kFrameMs / 4;
// How much of the text tells how wide its letters are on average.
constexpr qsizetype kSampleLength = 256;

// Whether a line ending at this position cuts a word: a word wider than the
// line is broken inside, and shaped as two blocks it would lose its joining.
bool cutsAWord(const QString& text, qsizetype end) {
    const auto inWord = [](QChar c) { return c.isLetterOrNumber() || c.isMark(); };
    return end > 0 && end < text.size() && inWord(text[end - 1]) && inWord(text[end]);
}

// The ends of the lines of text[from, paragraphEnd) at width, as far as they
// are surely whole. A stretch that ends inside the paragraph cuts its own
// last line short, so that line is left to the next stretch; the stretch
// ends after a blank, so that no word, nor the joining of its letters, is
// cut. A line that ends inside a word (one wider than the line) goes on with
// the next in one block, which the edit breaks where it breaks the whole
// paragraph.
QList<qsizetype> lineEnds(const QString& text, qsizetype from, qsizetype paragraphEnd,
                          const QFont& font, const QTextOption& option, qreal width,
                          qsizetype stretchLength) {
    for (qsizetype length = stretchLength;; length *= 2) {
        qsizetype end = paragraphEnd;
        if (from + length < paragraphEnd) {
            const qsizetype blank = text.indexOf(u' ', from + length);
            if (blank >= 0 && blank < paragraphEnd) {
                end = blank + 1;
            }
        }
        QTextLayout layout(text.mid(from, end - from), font);
        layout.setTextOption(option);
        layout.beginLayout();
        QList<qsizetype> ends;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ends.append(from + line.textStart() + line.textLength());
        }
        layout.endLayout();
        const bool whole = end == paragraphEnd || ends.isEmpty();
        if (!whole) {
            ends.removeLast();
        }
        ends.removeIf([&](qsizetype at) { return at != paragraphEnd && cutsAWord(text, at); });
        if (whole) {
            if (ends.isEmpty() || ends.last() != paragraphEnd) {
                ends.append(paragraphEnd);
            }
            return ends;
        }
        if (!ends.isEmpty()) {
            return ends;
        }
    }
}

} // namespace

LongTextBox::LongTextBox(QWidget* parent) : QPlainTextEdit(parent), nextTurn_(new QTimer(this)) {
    document()->setUndoRedoEnabled(false);
    nextTurn_->setSingleShot(true);
    nextTurn_->setInterval(0);
    connect(nextTurn_, &QTimer::timeout, this, [this] { breakMore(); });
}

void LongTextBox::showText(const QString& text) {
    text_ = text;
    anchor_ = selectionStart_ = selectionEnd_ = 0;
    startBreaking();
    // Until its own lines are ready, the box shows the start of the text as
    // the edit wraps it: the same lines, shaped once, a little more than a
    // screenful of them.
    setPlainText(text_.first(screenfulEnd()));
    shownBreaks_.clear();
}

qsizetype LongTextBox::screenfulEnd() const {
    if (text_.isEmpty()) {
        return 0;
    }
    const QFontMetricsF metrics(document()->defaultFont());
    const QString sample = text_.first(std::min(text_.size(), kSampleLength));
    const qreal advance = std::max(metrics.horizontalAdvance(sample) / qreal(sample.size()), 1.0);
    const qreal lines = viewport()->height() / metrics.lineSpacing() + 2;
    const auto length = qsizetype(lines * std::min(lineWidth(), qreal(1 << 16)) / advance);
    const qsizetype blank = text_.indexOf(u' ', std::min(text_.size(), length));
    return blank < 0 ? text_.size() : blank + 1;
}

bool LongTextBox::isComplete() const {
    return linesShown_ && lines_.placed == text_.size() && shownLength_ == lines_.text.size();
}

qreal LongTextBox::lineWidth() const {
    // As the edit's own layout measures it; with no width yet, one line a
    // paragraph.
    const int width = viewport()->width();
    return (width > 0 ? qreal(width) : qreal(INT_MAX)) - 2 * document()->documentMargin();
}

void LongTextBox::startBreaking() {
    lines_ = Lines();
    lines_.width = lineWidth();
    anchorBlock_ = -1;
    linesShown_ = false;
    nextTurn_->start();
}

void LongTextBox::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (lineWidth() != lines_.width) {
        breakAgain();
    }
}

void LongTextBox::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        breakAgain();
    }
}

void LongTextBox::breakAgain() {
    anchor_ = textPosition(firstVisibleBlock().position());
    const QTextCursor cursor = textCursor();
    selectionStart_ = textPosition(cursor.selectionStart());
    selectionEnd_ = textPosition(cursor.selectionEnd());
    startBreaking();
}

void LongTextBox::endBlock(bool soft) {
    // A line ending at the anchor leaves it to the next line; a paragraph
    // holds its end.
    const qsizetype end = lines_.placed;
    if (anchorBlock_ < 0 && (soft ? anchor_ < end : anchor_ <= end)) {
        anchorBlock_ = lines_.lastBlock;
    }
    if (soft) {
        lines_.softBreaks.append(int(lines_.text.size()));
    }
    lines_.text += QChar::ParagraphSeparator;
    ++lines_.lastBlock;
}

void LongTextBox::breakNextLines() {
    qsizetype paragraphEnd = text_.indexOf(u'\n', lines_.placed);
    if (paragraphEnd < 0) {
        paragraphEnd = text_.size();
    }
    if (lines_.placed < paragraphEnd) {
        const QList<qsizetype> ends =
            lineEnds(text_, lines_.placed, paragraphEnd, document()->defaultFont(),
                     document()->defaultTextOption(), lines_.width, kStretchLength);
        for (const qsizetype end : ends) {
            lines_.text += QStringView(text_).sliced(lines_.placed, end - lines_.placed);
            lines_.placed = end;
            if (end < paragraphEnd) {
                endBlock(true);
            }
        }
    }
    if (lines_.placed == paragraphEnd && paragraphEnd < text_.size()) {
        endBlock(false);
        ++lines_.placed;
    }
}

bool LongTextBox::showsAnchor() const {
    if (lines_.placed == text_.size()) {
        return true;
    }
    return anchorBlock_ >= 0 && lines_.lastBlock - anchorBlock_ >= visibleLineCount();
}

int LongTextBox::visibleLineCount() const {
    const qreal lineHeight = QFontMetricsF(document()->defaultFont()).lineSpacing();
    return int(viewport()->height() / lineHeight) + 1;
}

void LongTextBox::breakMore() {
    if (isComplete()) {
        return;
    }
    if (linesShown_ && lines_.placed == text_.size()) {
        // The rest in one insertion: each one makes the edit lay out the
        // last screenful again, to know how far it may scroll.
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.insertText(lines_.text.sliced(shownLength_));
        shownLength_ = lines_.text.size();
        shownBreaks_ = lines_.softBreaks;
        return;
    }
    QElapsedTimer turn;
    turn.start();
    // Lines not yet shown are shown as soon as a screenful is ready.
    while (lines_.placed < text_.size() && turn.elapsed() < kTurnMs &&
           (linesShown_ || !showsAnchor())) {
        breakNextLines();
    }
    if (!linesShown_ && showsAnchor()) {
        showLines();
    }
    if (!isComplete()) {
        nextTurn_->start();
    }
}

void LongTextBox::showLines() {
    // The lines to the end of the screenful, the rest with the last turn's:
    // the edit lays out the last screenful of what it holds, to know how far
    // it scrolls, and that is then the one in view.
    const int lastShown = std::max(anchorBlock_, 0) + visibleLineCount();
    shownLength_ = lines_.text.size();
    for (qsizetype at = 0, block = 0; at < lines_.text.size(); ++at) {
        if (lines_.text[at] == QChar::ParagraphSeparator && ++block > lastShown) {
            shownLength_ = at;
            break;
        }
    }
    setPlainText(lines_.text.first(shownLength_));
    shownBreaks_ = lines_.softBreaks;
    linesShown_ = true;
    if (selectionEnd_ > selectionStart_) {
        const int end = document()->characterCount() - 1;
        QTextCursor selection(document());
        selection.setPosition(std::min(documentPosition(selectionStart_), end));
        selection.setPosition(std::min(documentPosition(selectionEnd_), end),
                              QTextCursor::KeepAnchor);
        setTextCursor(selection);
    }
    // The scroll bar counts lines; a block is one line but where it holds a
    // word wider than the line.
    verticalScrollBar()->setValue(
        anchorBlock_ > 0 ? document()->findBlockByNumber(anchorBlock_).firstLineNumber() : 0);
}

qsizetype LongTextBox::textPosition(int documentPosition) const {
    if (documentPosition >= document()->characterCount() - 1 && !isComplete()) {
        return text_.size(); // the end of what is shown stands for the end of the text
    }
    const auto breaksBefore =
        std::lower_bound(shownBreaks_.begin(), shownBreaks_.end(), documentPosition) -
        shownBreaks_.begin();
    return std::min(text_.size(), documentPosition - breaksBefore);
}

int LongTextBox::documentPosition(qsizetype textPosition) const {
    // The k-th soft break follows the text position breaks[k] - k.
    const QList<int>& breaks = lines_.softBreaks;
    qsizetype low = 0;
    qsizetype high = breaks.size();
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        if (breaks[middle] - middle <= textPosition) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return int(std::min(textPosition + low, qsizetype(lines_.text.size())));
}

QMimeData* LongTextBox::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    const qsizetype start = textPosition(cursor.selectionStart());
    const qsizetype end = textPosition(cursor.selectionEnd());
    auto* copied = new QMimeData;
    copied->setText(text_.sliced(start, end - start));
    return copied;
}

} // namespace velmor
