#include "text_boxes.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextOption>

namespace velmor {

QPlainTextEdit* makeReadOnlyTextBox(QWidget* parent, const char* name, const QFont& font,
                                    Qt::Alignment alignment) {
    auto* box = new QPlainTextEdit(parent);
    prepareReadOnlyTextBox(*box, name, font, alignment);
    return box;
}

void prepareReadOnlyTextBox(QPlainTextEdit& box, const char* name, const QFont& font,
                            Qt::Alignment alignment) {
    box.setObjectName(QString::fromLatin1(name));
    box.setReadOnly(true);
    // Read-only, yet with a keyboard caret (arrows, Ctrl+arrows, Home, End,
    // Shift to select), so that a screen reader reads it by character, word
    // and line.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.setFocusPolicy(Qt::StrongFocus);
    box.setFont(font);
    box.setLayoutDirection(Qt::RightToLeft);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.setTabChangesFocus(true);
    QTextOption option = box.document()->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(alignment);
    box.document()->setDefaultTextOption(option);
}

QTextEdit::ExtraSelection markedStretch(QTextDocument* document, qsizetype start, qsizetype length,
                                        const QTextCharFormat& format) {
    QTextCursor stretch(document);
    stretch.setPosition(static_cast<int>(start));
    stretch.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    return {stretch, format};
}

} // namespace velmor
