#pragma once

#include "reading.h"
#include "recitation.h"

#include <QColor>
#include <QPlainTextEdit>
#include <optional>
#include <vector>

namespace velmor {

// The reading window's text: a whole sura, each mushaf page a paragraph
// (a plain text edit lays out only the pages in view, so a long sura opens,
// steps and changes size within a frame). It marks what a search matched,
// tints the current aya, scrolls it into view, and says which aya the
// reader clicked or pressed Enter on.
class ScriptureView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ScriptureView(QWidget* parent);

    // The text and its matches are one change to the document, so the view
    // lays out once, and only the pages it shows: where it stands, when the
    // new text has the same pages (the sura in the other script).
    void showSura(const SuraText& sura, const QList<MatchSpan>& matches,
                  const ThemeColours& colours);
    // The matches are formats of the text itself, laid out with each page as
    // it comes into view.
    void markMatches(const QList<MatchSpan>& matches, const ThemeColours& colours);
    // The current aya is tinted by an extra selection, which costs a layout
    // of its own stretch only; inside the tint its matches are marked again,
    // over it.
    void markCurrent(const SuraText::Placed* current, const QList<MatchSpan>& matches,
                     const ThemeColours& colours);
    // The aya's end comes into view, then its start: a whole aya shows
    // whole, a long one from its beginning.
    void scrollTo(const SuraText::Placed& aya);

    // Reciting: each hidden word drawn as a blank of its width, or as its
    // first letter alone; a word marked missed in the colour of a miss.
    // Null ends it.
    void setRecitation(const Recitation* recitation, bool firstLetters,
                       const ThemeColours& colours);
    // The colour of a missed word on the theme's background.
    static QColor missColour(const ThemeColours& colours);

    // What the reader's library holds on an aya, shown above its number: a
    // dot in the bookmark's collection colour, a ring for a note.
    struct AyaMark {
        qsizetype markerStart = 0;
        qsizetype markerLength = 0;
        QColor bookmark; // invalid when none
        bool note = false;
    };
    // In the order of the text.
    void setAyaMarks(std::vector<AyaMark> marks);
    const std::vector<AyaMark>& ayaMarks() const { return ayaMarks_; }

signals:
    // A click (not a drag that selects) or Enter at the caret.
    void positionChosen(int position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Brings the aya last scrolled to back into view once the pages around
    // it are laid out, trying at most tries times.
    void settleOn(int tries);
    static void formatMatches(QTextCursor& stretch, const QList<MatchSpan>& matches,
                              const ThemeColours& colours);

    bool matchesMarked_ = false;               // the text carries match formats to clear
    QList<QTextEdit::ExtraSelection> current_; // the current aya's tint and matches
    QList<QTextEdit::ExtraSelection> recited_; // the recitation's blanks and misses
    QPoint pressedAt_;
    std::vector<AyaMark> ayaMarks_;
    std::optional<SuraText::Placed> scrolledTo_; // the aya last brought into view
};

} // namespace velmor
