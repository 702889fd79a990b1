#pragma once

#include "library.h"
#include "library_models.h"
#include "note_autosave.h"

#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QMenu;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;

namespace velmor {

// The reading window's side panel over the reader's library: bookmarks by
// collection, notes with a filter and the current aya's note, and the recent
// searches. It reads the library again when asked (the window does so when
// the file changed elsewhere) and says every failure in its own line.
class LibraryPanel : public QWidget {
    Q_OBJECT
public:
    explicit LibraryPanel(QWidget* parent);
    ~LibraryPanel() override;

    // The library (none when it cannot be used; the notice says why).
    void setLibrary(library::Library* library, const QString& notice);
    library::Library* library() const { return library_; }
    // The aya the note editor and the bookmark key are about.
    void setCurrentAya(AyaRef aya);
    // Reads everything again, keeping what is selected.
    void reload();

    // Bookmarks or un-bookmarks the current aya in the collection used last.
    void toggleBookmark();
    // Shows the current aya's note in the editor, with the keyboard there.
    void editNote();
    // Saves the note being typed now.
    void flushNote();
    // The text of the panel's message line.
    QString message() const;

    // Controls, named for tests and screen readers.
    QTabWidget* tabs;
    QListView* bookmarkList;
    QLineEdit* noteFilter;
    QListView* noteList;
    QLabel* noteTitle;
    QPlainTextEdit* noteEditor;
    QListView* historyList;
    QToolButton* clearHistoryButton;
    QToolButton* continueButton;
    QToolButton* bookmarkButton;
    QToolButton* noteButton;
    QToolButton* libraryMenuButton;
    QLabel* messageLine;

    library::BookmarkListModel bookmarks;
    library::NoteListModel notes;
    library::HistoryListModel history;

    // For the Markdown export: an aya's marked text.
    std::function<QString(AyaRef)> ayaText;
    // Asks a yes-or-no question (a dialog; tests answer it themselves).
    std::function<bool(const QString&)> confirm;
    // A file to write (saving) or read; empty when the reader cancels.
    std::function<QString(bool saving, const QString& title, const QString& filter)> chooseFile;

signals:
    void ayaChosen(AyaRef aya);
    void searchChosen(const library::RecentSearch& search);
    void continueReading();
    // Bookmarks or notes changed: the text's marks follow.
    void marksChanged();

private:
    QWidget* buildBookmarks();
    QWidget* buildNotes();
    QWidget* buildHistory();
    QLayout* buildButtons();
    void enableLibraryParts(bool enabled);
    void showNote();
    void say(const QString& text);
    bool sayFailure(const Done& result);
    void choose(const QModelIndex& index);
    void clearHistory();
    void bookmarkMenu(const QPoint& at);
    void collectionMenu(const QString& collection, QMenu& menu);
    void markMenu(const QModelIndex& index, QMenu& menu);
    void exportLibrary();
    void importLibrary();
    void exportNotes();

    library::Library* library_ = nullptr;
    std::unique_ptr<library::NoteAutosave> autosave_;
    AyaRef current_{1, 1};
    bool loadingNote_ = false;
};

} // namespace velmor
