#pragma once

#include <QList>
#include <QPlainTextEdit>
#include <QString>

class QTimer;

namespace velmor {

// A read-only text box for a text whose paragraphs are long, such as a whole
// sura composed as one paragraph. A plain text edit shapes a paragraph whole
// before it shows any of it, and shaping a long Arabic paragraph takes
// several frames. This box breaks each paragraph into its lines itself, a
// screenful at once and then a few more on each turn of the event loop, and
// gives each line a block of its own, which the edit shapes only when it
// comes into view. The lines are those the edit would make of the
// paragraph; a selection is copied as the text given, without the breaks.
class LongTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LongTextBox(QWidget* parent);

    // Shows text, whose paragraphs are separated by '\n': its first screenful
    // at once, the rest over the next turns of the event loop.
    void showText(const QString& text);
    const QString& text() const { return text_; }
    // Every line of the text is in the box, broken for its present width.
    bool isComplete() const;
    // A position of the document as one of the text given, and back.
    qsizetype textPosition(int documentPosition) const;
    int documentPosition(qsizetype textPosition) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    // The text's lines broken for one width, as far as they go.
    struct Lines {
        qreal width = 0;
        qsizetype placed = 0;  // the text before this position is broken
        QString text;          // the lines, each a block
        QList<int> softBreaks; // where in it a paragraph goes on to its next line
        int lastBlock = 0;     // the number of the block being filled
    };

    qreal lineWidth() const;
    void startBreaking();
    // The lines again, for a new width or font, keeping the view.
    void breakAgain();
    // One turn's work: more lines, then the box shows them.
    void breakMore();
    void breakNextLines();
    void endBlock(bool soft);
    bool showsAnchor() const;
    int visibleLineCount() const;
    // Where the text's first screenful ends, as the width of its first
    // letters tells.
    qsizetype screenfulEnd() const;
    void showLines();

    QString text_;
    Lines lines_;
    // The soft breaks of what the document holds: those of lines_ once it
    // is shown, the old width's until then.
    QList<int> shownBreaks_;
    bool linesShown_ = false;
    qsizetype shownLength_ = 0; // of lines_.text, once shown
    // What the new lines keep from the old when they replace them: the
    // first line in view and the selection, as positions in the text.
    qsizetype anchor_ = 0;
    int anchorBlock_ = -1; // the new lines' block that holds anchor_
    qsizetype selectionStart_ = 0;
    qsizetype selectionEnd_ = 0;
    QTimer* nextTurn_;
};

} // namespace velmor
