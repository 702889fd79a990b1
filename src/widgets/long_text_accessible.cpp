#include "long_text_accessible.h"

#include "long_text_box.h"

#include <QAccessibleWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

namespace velmor {

namespace {

class LongTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LongTextAccessible(LongTextBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Value ? box()->text() : QAccessibleWidget::text(type);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        const QTextCursor cursor = box()->textCursor();
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && cursor.hasSelection()) {
            *startOffset = offsetOf(cursor.selectionStart());
            *endOffset = offsetOf(cursor.selectionEnd());
        }
    }
    int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            QTextCursor cursor = box()->textCursor();
            cursor.clearSelection();
            box()->setTextCursor(cursor);
        }
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex != 0) {
            return;
        }
        QTextCursor cursor = box()->textCursor();
        cursor.setPosition(positionOf(startOffset));
        cursor.setPosition(positionOf(endOffset), QTextCursor::KeepAnchor);
        box()->setTextCursor(cursor);
    }

    int cursorPosition() const override { return offsetOf(box()->textCursor().position()); }
    void setCursorPosition(int position) override {
        QTextCursor cursor = box()->textCursor();
        cursor.setPosition(positionOf(position));
        box()->setTextCursor(cursor);
    }

    QString text(int startOffset, int endOffset) const override {
        return box()->text().mid(startOffset, std::max(0, endOffset - startOffset));
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }

    QRect characterRect(int offset) const override {
        QTextCursor cursor(box()->document());
        cursor.setPosition(positionOf(offset));
        QRect at = box()->cursorRect(cursor);
        at.moveTopLeft(box()->viewport()->mapToGlobal(at.topLeft()));
        return at;
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = box()->viewport()->mapFromGlobal(point);
        return offsetOf(box()->cursorForPosition(local).position());
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        QTextCursor cursor = box()->textCursor();
        cursor.setPosition(positionOf(endIndex));
        box()->setTextCursor(cursor);
        box()->ensureCursorVisible();
        cursor.setPosition(positionOf(startIndex));
        box()->setTextCursor(cursor);
        box()->ensureCursorVisible();
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    LongTextBox* box() const { return static_cast<LongTextBox*>(widget()); }
    int offsetOf(int documentPosition) const {
        return static_cast<int>(box()->textPosition(documentPosition));
    }
    int positionOf(int offset) const {
        const int last = box()->document()->characterCount() - 1;
        return std::clamp(box()->documentPosition(std::max(0, offset)), 0, std::max(0, last));
    }
};

} // namespace

QAccessibleInterface* longTextAccessible(const QString& className, QObject* object) {
    auto* box = qobject_cast<LongTextBox*>(object);
    if (box == nullptr || className != QLatin1String(object->metaObject()->className())) {
        return nullptr;
    }
    return new LongTextAccessible(box);
}

} // namespace velmor
