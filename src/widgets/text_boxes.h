#pragma once

#include <QFont>
#include <QTextEdit>
#include <Qt>

class QPlainTextEdit;
class QWidget;

namespace velmor {

// A read-only, multi-line, right-to-left text box with a vertical scroll
// bar. A plain text edit left-aligns Arabic unless its document's default
// option says otherwise, so the direction and alignment are set there.
QPlainTextEdit* makeReadOnlyTextBox(QWidget* parent, const char* name, const QFont& font,
                                    Qt::Alignment alignment = Qt::AlignRight);
void prepareReadOnlyTextBox(QPlainTextEdit& box, const char* name, const QFont& font,
                            Qt::Alignment alignment = Qt::AlignRight);

// A stretch of the document, from start for length (UTF-16 positions), to
// be drawn in format over the text: an extra selection of a text box.
QTextEdit::ExtraSelection markedStretch(QTextDocument* document, qsizetype start, qsizetype length,
                                        const QTextCharFormat& format);

} // namespace velmor
