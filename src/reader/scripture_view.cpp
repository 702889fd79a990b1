#include "scripture_view.h"

#include "text_boxes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

namespace velmor {

namespace {
QTextCharFormat background(const QColor& colour, const QColor& text = {}) {
    QTextCharFormat format;
    format.setBackground(colour);
    if (text.isValid()) {
        format.setForeground(text);
    }
    return format;
}
} // namespace

ScriptureView::ScriptureView(QWidget* parent) : QPlainTextEdit(parent) {}

void ScriptureView::showSura(const SuraText& sura, const QList<MatchSpan>& matches,
                             const ThemeColours& colours) {
    scrolledTo_.reset();
    QTextCursor all(document());
    all.beginEditBlock();
    all.select(QTextCursor::Document);
    all.insertText(sura.body, QTextCharFormat());
    formatMatches(all, matches, colours);
    all.endEditBlock();
    matchesMarked_ = !matches.isEmpty();
}

void ScriptureView::markMatches(const QList<MatchSpan>& matches, const ThemeColours& colours) {
    QTextCursor stretch(document());
    stretch.beginEditBlock();
    if (matchesMarked_) {
        stretch.select(QTextCursor::Document);
        stretch.setCharFormat(QTextCharFormat());
    }
    formatMatches(stretch, matches, colours);
    stretch.endEditBlock();
    matchesMarked_ = !matches.isEmpty();
}

void ScriptureView::formatMatches(QTextCursor& stretch, const QList<MatchSpan>& matches,
                                  const ThemeColours& colours) {
    const QTextCharFormat matched = background(colours.match, colours.matchText);
    for (const MatchSpan& span : matches) {
        stretch.setPosition(static_cast<int>(span.start));
        stretch.setPosition(static_cast<int>(span.start + span.length), QTextCursor::KeepAnchor);
        stretch.setCharFormat(matched);
    }
}

void ScriptureView::markCurrent(const SuraText::Placed* current, const QList<MatchSpan>& matches,
                                const ThemeColours& colours) {
    QList<QTextEdit::ExtraSelection> marks;
    if (current != nullptr) {
        const qsizetype end = current->markerStart + current->markerLength;
        marks.append(markedStretch(document(), current->start, end - current->start,
                                   background(colours.currentAya)));
        const QTextCharFormat matched = background(colours.match, colours.matchText);
        for (const MatchSpan& span : matches) {
            if (span.start >= current->start && span.start < end) {
                marks.append(markedStretch(document(), span.start, span.length, matched));
            }
        }
    }
    current_ = std::move(marks);
    setExtraSelections(current_ + recited_);
}

QColor ScriptureView::missColour(const ThemeColours& colours) {
    return colours.background.lightness() > 128 ? QColor(0xB0, 0x1E, 0x1E)
                                                : QColor(0xFF, 0x8A, 0x80);
}

void ScriptureView::setRecitation(const Recitation* recitation, bool firstLetters,
                                  const ThemeColours& colours) {
    recited_.clear();
    if (recitation != nullptr) {
        const auto& words = recitation->words();
        QColor bar = colours.text;
        bar.setAlphaF(0.22F);
        // A bar over the word, or the page's own colour over all but its
        // first letter; the letters underneath are drawn in no colour.
        QTextCharFormat hidden = background(firstLetters ? colours.background : bar);
        hidden.setForeground(Qt::transparent);
        QTextCharFormat missed;
        missed.setForeground(missColour(colours));
        missed.setFontUnderline(true);
        recited_.reserve(static_cast<qsizetype>(words.size()));
        for (std::size_t k = 0; k < words.size(); ++k) {
            const Recitation::Word& word = words[k];
            if (k >= recitation->revealed()) {
                const qsizetype skip = firstLetters ? word.firstLetter : 0;
                recited_.append(
                    markedStretch(document(), word.start + skip, word.length - skip, hidden));
            } else if (recitation->missed(k)) {
                recited_.append(markedStretch(document(), word.start, word.length, missed));
            }
        }
    }
    setExtraSelections(current_ + recited_);
}

void ScriptureView::scrollTo(const SuraText::Placed& aya) {
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(aya.markerStart + aya.markerLength));
    setTextCursor(cursor);
    ensureCursorVisible();
    cursor.setPosition(static_cast<int>(aya.start));
    setTextCursor(cursor);
    ensureCursorVisible();
    scrolledTo_ = aya;
    settleOn(3);
}

void ScriptureView::settleOn(int tries) {
    // Pages laid out for the first time (as they come into view, or when the
    // scroll bar comes or goes) change the view's count of the lines before
    // the aya, which can carry it out of view: once they are, it is brought
    // back.
    QTimer::singleShot(0, this, [this, tries] {
        if (!scrolledTo_ || tries <= 0) {
            return;
        }
        QTextCursor start(document());
        start.setPosition(static_cast<int>(
            std::min<qsizetype>(scrolledTo_->start, document()->characterCount() - 1)));
        if (!viewport()->rect().intersects(cursorRect(start))) {
            setTextCursor(start);
            ensureCursorVisible();
            settleOn(tries - 1);
        }
    });
}

void ScriptureView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    // The pages are laid out again for the new width as they come into view,
    // and the view's count of lines before the aya changes with them: the
    // aya is brought into view again once they are.
    if (event->size().width() != event->oldSize().width()) {
        settleOn(3);
    }
}

void ScriptureView::setAyaMarks(std::vector<AyaMark> marks) {
    ayaMarks_ = std::move(marks);
    viewport()->update();
}

void ScriptureView::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (ayaMarks_.empty()) {
        return;
    }
    // Only the marks of the paragraphs in view are placed, so that a long
    // sura lays out no page it does not show.
    const QRect shown = viewport()->rect();
    QTextBlock block = firstVisibleBlock();
    if (!block.isValid()) {
        return;
    }
    const qsizetype first = block.position();
    qsizetype last = first;
    for (QTextBlock b = block; b.isValid(); b = b.next()) {
        if (blockBoundingGeometry(b).translated(contentOffset()).top() > shown.bottom()) {
            break;
        }
        last = b.position() + b.length();
    }
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = std::max(2.5, fontMetrics().height() / 9.0);
    for (const AyaMark& mark : ayaMarks_) {
        if (mark.markerStart < first || mark.markerStart >= last) {
            continue;
        }
        QTextCursor at(document());
        at.setPosition(static_cast<int>(mark.markerStart));
        const QRect start = cursorRect(at);
        at.setPosition(static_cast<int>(mark.markerStart + mark.markerLength));
        const QRect end = cursorRect(at);
        // Above the number, in the top of its line, where no letter of the
        // text is (the end marker is lower than the letters around it).
        const qreal centre = (start.center().x() + end.center().x()) / 2.0;
        const qreal y = start.top() + radius + 1;
        const qreal apart = mark.bookmark.isValid() && mark.note ? 1.4 * radius : 0;
        if (mark.bookmark.isValid()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(mark.bookmark);
            painter.drawEllipse(QPointF(centre + apart, y), radius, radius);
        }
        if (mark.note) {
            painter.setPen(QPen(palette().color(QPalette::Text), 1.2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(centre - apart, y), radius, radius);
        }
    }
}

void ScriptureView::mousePressEvent(QMouseEvent* event) {
    pressedAt_ = event->position().toPoint();
    QPlainTextEdit::mousePressEvent(event);
}

void ScriptureView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    const bool click = (event->position().toPoint() - pressedAt_).manhattanLength() <
                       QApplication::startDragDistance();
    if (event->button() == Qt::LeftButton && click && !textCursor().hasSelection()) {
        emit positionChosen(cursorForPosition(event->position().toPoint()).position());
    }
}

void ScriptureView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        emit positionChosen(textCursor().position());
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace velmor
