#pragma once

#include "reading.h"

#include <QWidget>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QToolButton;

namespace velmor {

// The reading window: a whole sura as continuous text, the current aya
// tinted and what the last search matched marked, the current aya's tafsir
// below a splitter, steps by aya, sura and page, a go-to box, two text
// sizes, three themes and a copy of the current aya. Modeless and
// resizable; it keeps its settings in its own file.
class ReaderWindow : public QWidget {
    Q_OBJECT
public:
    ReaderWindow(store::Store& store, const QString& connectionString, QString settingsPath,
                 QWidget* parent = nullptr);
    ~ReaderWindow() override;

    // Shows the aya (or, given none, the one last read) and brings the
    // window forward.
    void open(std::optional<qint64> id);
    // Where it opens the first time: beside the main window, on the side
    // with more room. A window placed before stays where it was.
    void placeBeside(const QRect& mainWindow);
    // Moves to the aya the main window selected and marks what its search
    // matched (nothing after a listing).
    void follow(qint64 id, std::optional<ReadingSession::Search> search);

    // Steps; each does nothing at the mushaf's ends.
    void nextAya();
    void previousAya();
    void nextSura();
    void previousSura();
    void nextPage();
    void previousPage();
    // Goes to a typed reference; a reference that does not exist is said in
    // the window's message line and nothing moves. Returns whether it moved.
    bool goTo(const QString& reference);

    void setTafsirSource(TafsirSource source);
    void setTheme(ReaderTheme theme);
    void setScriptureSize(double points);
    void setTafsirSize(double points);
    void copyAya();

    const ReadingSession& session() const { return session_; }
    const ReaderPreferences& preferences() const { return preferences_; }
    QString message() const;

    // Controls, named for tests and screen readers.
    QLabel* suraHeader;
    QPlainTextEdit* scripture;
    QPlainTextEdit* tafsirPane;
    QSplitter* splitter;
    QLineEdit* goToBox;
    QLabel* messageLine;
    QLabel* placeLine;
    QComboBox* sourcePicker;
    QComboBox* themePicker;
    QCheckBox* plainCopy;
    QToolButton* tafsirToggle;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // The three rows of controls above the text.
    QLayout* buildSteps();
    QLayout* buildChoices();
    QLayout* buildOptions();
    void buildShortcuts();
    ReadingSession::Moved moveTo(std::optional<qint64> id);
    void step(std::optional<qint64> (Mushaf::*to)(qint64) const);
    void showSura();
    void showCurrent();
    void showTafsir();
    void markAyas();
    void markMatches();
    void scrollToCurrent();
    void applyTheme();
    void stepSize(QWidget* pane, int steps);
    void resetSize(QWidget* pane);
    QWidget* focusedPane() const;
    void say(const QString& text);
    void keepPreferences();

    QString settingsPath_;
    ReaderPreferences preferences_;
    ReadingSession session_;
    bool matchesMarked_ = false; // the text carries match formats to clear
};

} // namespace velmor
