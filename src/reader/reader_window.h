#pragma once

#include "library_panel.h"
#include "message_box.h"
#include "reader_preferences.h"
#include "recitation.h"
#include "scripture_view.h"
#include "similar_panel.h"
#include "text_indexes.h"

#include <QTimer>
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

class PaneZoom;

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
    // Shows the aya, opening the window behind the one that asked, which
    // keeps the keyboard.
    void openBehind(qint64 id);
    // Where it opens the first time: beside the main window, on the side
    // with more room, neither covering the other where the screen has room
    // for both (the main window moves aside when it must). A window placed
    // before stays where it was, if that still fits a screen.
    void placeBeside(QWidget& mainWindow);
    // Where a save of the settings that failed is said, once a run.
    void setMessageBox(MessageBox messageBox) { messageBox_ = std::move(messageBox); }
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
    // The text in the simple or the Uthmani script, each in its own face;
    // the current aya, the matches and the library's marks stay on it.
    void setScript(Script script);
    void setTheme(ReaderTheme theme);
    void setScriptureSize(double points);
    // The face of the text, in the script and size kept.
    QFont scriptureFont() const;
    void setTafsirSize(double points);
    void copyAya();
    // Copies the selection of a pane, plain when "بلا تشكيل" is checked.
    void copySelection(const QPlainTextEdit& pane);

    // The reader's library (none when it cannot be used; the notice says
    // why). The aya read last moves into it from the settings file, once.
    void setLibrary(library::Library* library, const QString& notice);
    // Shows or hides the library's side panel.
    void showLibraryPanel(bool shown);
    // Goes to the aya read last, as the library keeps it.
    void continueReading();
    // Keeps the current aya as the one read last, now.
    void keepLastRead();

    // Reciting from memory from the current aya on (Ctrl+Shift+R): Space
    // shows the next word, Enter the rest of the aya, Backspace hides the
    // last again, Ctrl+M marks it missed. Leaving shows everything.
    void setReciting(bool on);
    const Recitation* recitation() const { return recitation_.get(); }
    void revealWord();
    void revealAya();
    void hideWord();
    void markMissed();
    // Hidden words as their first letters rather than blanks.
    void setReciteFirstLetters(bool firstLetters);

    // The dialog that prints or saves as PDF a sura, a range or the ayas
    // given (Ctrl+P).
    void openPrint(std::vector<qint64> chosen = {});
    // The current aya as a PNG image, in the script and theme shown, at the
    // width kept in the settings (1080 pixels unless changed).
    [[nodiscard]] Done saveAyaImage(const QString& path);
    // Where "حفظ الآية صورة…" asks for the file (a file dialog unless
    // replaced).
    std::function<QString()> chooseImageFile;

    // Both tafsirs at once, side by side (one above the other in a narrow
    // window), each with its own size.
    void setBothTafsirs(bool both);

    // The text's indexes, shared with the program's other windows.
    void setTextIndexes(std::shared_ptr<verify::TextIndexes> indexes);
    // Goes to a similar aya, remembering where it was; goBack (Alt+Left)
    // returns there.
    void goToSimilar(qint64 id);
    void goBack();

    const ReadingSession& session() const { return session_; }
    const ReaderPreferences& preferences() const { return preferences_; }
    QString message() const;

    // Controls, named for tests and screen readers.
    QLabel* suraHeader;
    ScriptureView* scripture;
    QPlainTextEdit* tafsirPane;
    QSplitter* splitter;
    QLineEdit* goToBox;
    QLabel* messageLine;
    QLabel* placeLine;
    QComboBox* sourcePicker;
    QComboBox* themePicker;
    QComboBox* scriptPicker;
    QCheckBox* plainCopy;
    QToolButton* tafsirToggle;
    QToolButton* panelToggle;
    QSplitter* sideSplit;
    LibraryPanel* libraryPanel;
    SimilarPanel* similarPanel;
    QToolButton* reciteToggle;
    QWidget* reciteBar;
    QComboBox* hidePicker;
    QLabel* reciteLine;
    QToolButton* shareButton;
    QCheckBox* bothTafsirs;
    QPlainTextEdit* otherTafsirPane;
    QSplitter* tafsirSplit;

signals:
    // Ctrl+Shift+F: the reader asks for the advanced search.
    void researchAsked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    // The three rows of controls above the text.
    QLayout* buildSteps();
    QLayout* buildChoices();
    QLayout* buildOptions();
    void buildShortcuts();
    // The text with its sura header, and the tafsir, either side of the
    // splitter.
    QWidget* buildSplit();
    // The text and tafsir beside the library's panel.
    QWidget* buildSide();
    void bindLibraryKeys();
    // The bar of the recitation's steps, shown while reciting.
    QWidget* buildReciteBar();
    void bindReciteKeys();
    // The button with the print, PDF and image entries.
    QToolButton* buildShare();
    // The recitation drawn anew, its misses said.
    void showRecitation();
    // A key of the recitation typed in the text; whether it was one.
    bool reciteKey(const QKeyEvent& key);
    // The tab of the similar ayas, beside the library's.
    void buildSimilar();
    // The similar ayas of the current aya, while the side panel shows.
    void showSimilar();
    // The bookmarks and notes of the sura on show, beside their numbers.
    void markLibrary();
    std::optional<qint64> lastReadId();
    void restoreLayout();
    void checkSplit();
    ReadingSession::Moved moveTo(std::optional<qint64> id);
    // Shows the window on the aya (the one read last when none).
    void showOn(std::optional<qint64> id, bool activate);
    void chooseAt(int position);
    void step(std::optional<qint64> (Mushaf::*to)(qint64) const);
    void showSura();
    void showCurrent();
    void showPlace();
    void showTafsir();
    void markAyas();
    void markMatches();
    void scrollToCurrent();
    void showTafsirPane(bool shown);
    void applyTheme();
    void stepSize(QWidget* pane, int steps);
    void resetSize(QWidget* pane);
    QWidget* focusedPane() const;
    void say(const QString& text);
    void keepPreferences();

    store::Store& store_;
    QString connectionString_;
    QString settingsPath_;
    library::Library* library_ = nullptr;
    QTimer lastReadTimer_; // the place read last is kept a moment after the reader stops
    ReaderPreferences preferences_;
    ReadingSession session_;
    MessageBox messageBox_;
    PaneZoom* zoom_ = nullptr;
    bool placed_ = false;          // a saved place that fits a screen was restored
    bool saveFailureSaid_ = false; // a failed save is said once a run
    bool splitChecked_ = false;
    QList<int> tafsirShownSizes_; // the split to reopen a pane dragged shut to
    std::shared_ptr<verify::TextIndexes> indexes_;
    qint64 similarShown_ = 0;  // the aya whose similar ayas the tab shows
    std::vector<qint64> back_; // where each step to a similar aya came from
    std::unique_ptr<Recitation> recitation_;
};

} // namespace velmor
