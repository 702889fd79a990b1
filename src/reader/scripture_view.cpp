#include "scripture_view.h"

#include "text_boxes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextDocument>

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

void ScriptureView::showSura(const SuraText& sura) {
    setPlainText(sura.body);
    matchesMarked_ = false;
}

void ScriptureView::markMatches(const QList<MatchSpan>& matches, const ThemeColours& colours) {
    QTextCursor stretch(document());
    stretch.beginEditBlock();
    if (matchesMarked_) {
        stretch.select(QTextCursor::Document);
        stretch.setCharFormat(QTextCharFormat());
    }
    const QTextCharFormat matched = background(colours.match, colours.matchText);
    for (const MatchSpan& span : matches) {
        stretch.setPosition(static_cast<int>(span.start));
        stretch.setPosition(static_cast<int>(span.start + span.length), QTextCursor::KeepAnchor);
        stretch.setCharFormat(matched);
    }
    stretch.endEditBlock();
    matchesMarked_ = !matches.isEmpty();
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
    setExtraSelections(marks);
}

void ScriptureView::scrollTo(const SuraText::Placed& aya) {
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(aya.markerStart + aya.markerLength));
    setTextCursor(cursor);
    ensureCursorVisible();
    cursor.setPosition(static_cast<int>(aya.start));
    setTextCursor(cursor);
    ensureCursorVisible();
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
