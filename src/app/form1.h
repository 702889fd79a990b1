#pragma once

#include "chosen_list.h"
#include "form5.h"
#include "library.h"
#include "message_box.h"
#include "options_host.h"
#include "program_state.h"
#include "reader_window.h"
#include "record_view.h"
#include "research_window.h"
#include "result_set.h"
#include "search_session.h"
#include "settings_file.h"
#include "verify_window.h"

#include <QMainWindow>
#include <QPointer>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace velmor {

class TrayArea;
class Form2;
class Form4;
class Form6;
class Form7;

// The main window: search box, results, aya display with its details, the
// chosen list, the menus and the tray icon. Controls keep their designed
// names, as members and as object names.
class Form1 : public QMainWindow, private OptionsHost {
    Q_OBJECT
    // Declared first: the record views below hold on to the store.
    QString programFolder_;
    settings::SettingsPaths settingsPaths_;
    store::Store store_;
    SearchSession session_;

public:
    // programFolder holds the database file (and the settings file, when
    // it can be written).
    explicit Form1(QString programFolder, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up after the single-instance check: centring, connection
    // strings, keyboard layout, tray icon, saved display font.
    void Form_Load();

    // How message boxes are shown; headless runs collect them instead.
    MessageBox messageBox;

    // Window commands.
    void option_Click();
    void tools_Click() { option_Click(); }
    void copy_Click() { copytext_Click(); }
    void about_Click();
    void aboutme_Click() { about_Click(); }
    void update_Click();
    void updateme_Click() { update_Click(); }
    void fullsearch_Click();
    void max_Click();
    void min_Click();
    void tafser_Click();
    void closeme_Click();
    // The reading window, beside the designed ones: opened on the aya shown.
    void reading_Click();
    ReaderWindow* readerWindow() const { return reader_; }
    // The window that checks a quotation, beside the reading window.
    void verify_Click();
    VerifyWindow* verifyWindow() const { return verify_; }
    // The researcher's search, beside it.
    void research_Click();
    ResearchWindow* researchWindow() const { return research_; }

    // The reader's library, opened after the window shows (or when first
    // needed); none when it cannot be used, which is said once.
    library::Library* ensureLibrary();
    // A search from the reader's history, set in the box and the options
    // and run again here.
    void runRecentSearch(const library::RecentSearch& recent);

    // Search.
    void search_Click();

    // Results and the chosen list.
    void suraayaalist_Click();
    void suraayaalist_DblClick();
    void allayaasearch_Click();
    void addaya_DblClick();
    void chosen_Click();
    void allayaa_Click();
    void copytext_Click();

    // The client area is 7725 twips wide and 3990 high, or 6070 with the
    // tafsir panel.
    static constexpr int kClientWidthTwips = 7725;
    static constexpr int kNormalClientTwips = 3990;
    static constexpr int kTallClientTwips = 3990 + (6850 - 4770);
    int clientHeightTwips() const { return clientTwips_; }

    bool isShutDown() const { return shutDown_; }

    // What the windows hold, for reading.
    const ResultSet& results() const { return session_.results(); }
    const SearchSession& session() const { return session_; }
    const ChosenList& chosenList() const { return chosenList_; }
    const ProgramState& state() const { return state_; }

    // Visible controls.
    QLineEdit* searcht;
    QLabel* Label6;
    QToolButton* option;
    QToolButton* copytext;
    QToolButton* allayaasearch;
    QToolButton* search;
    QLabel* Label3;
    QLabel* Label7;
    QListWidget* addaya;
    QPlainTextEdit* Text1;
    QListWidget* suraayaalist;
    QLabel* soraayanum;
    QLabel* Label10;
    QLabel* typetext;
    QLabel* label8;
    QLabel* chapterNOtext;
    QLabel* Label1;
    QLabel* pagenotext;
    QLabel* Label4;
    QLabel* score;
    QLabel* Label2;
    QPlainTextEdit* Text2;
    QLabel* Image1;

    // Menus. SHOW1 is the tray's pop-up and is not in the menu bar.
    QAction* tafser;
    QMenu* SHOW1;
    QAction* closeme;
    QAction* cut1;
    QAction* max;
    QAction* min;
    QAction* cut2;
    QAction* updateme;
    QAction* aboutme;
    QAction* cut3;
    QAction* closeme2;
    QAction* fullsearch;
    QMenu* make;
    QAction* chosen;
    QAction* allayaa;
    QMenu* help;
    QAction* about;
    QAction* cut;
    QAction* update;
    QMenu* shortcuts;
    QAction* copy;
    QAction* tools;
    QAction* reading;
    QAction* verifying;
    QAction* researching;

    TrayArea* t;

    // Record views: Adodc1 walks every listing, Adodc2 holds the one aya
    // shown in Text1 and Text2 (the search session's two views).
    store::RecordView& Adodc1;
    store::RecordView& Adodc2;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The options window.
    qint16 searchScope() const override { return state_.searchscope; }
    void setSearchScope(qint16 scope) override { state_.searchscope = scope; }
    QFont displayFont() const override;
    void setDisplayFont(const QFont& font) override;
    void keepDisplayFont() override;

    // The window, its controls and menus as designed (form1_layout.cpp).
    void designWindow();
    void buildControls(QWidget* client);
    // The designed controls, a part at a time.
    void buildSearchRow(QWidget* client);
    void buildLists(QWidget* client);
    void buildValues(QWidget* client);
    // Captions wider than their designed boxes grow to the left.
    void fitCaptions(QWidget* client);
    void connectControls();
    void buildMenus();
    void buildTrayMenu();
    void connectMenus();
    // The secondary windows that are loaded, in the order they close.
    std::vector<QWidget*> secondaryWindows() const;
    bool isMenuShortcut(const QKeyEvent& key) const;
    void setClientHeight(int twipsHeight);
    void trayButton(int button);
    void Form_Unload();
    void closeSecondaryWindows();

    // The search options window; reading its controls before it was ever
    // shown creates it hidden, with its initial choices.
    // What a screen reader is told of a search's outcome and of the chosen
    // ayas' changes (form1_announce.cpp).
    void bindAnnouncements();
    void announceResults();
    Form6& ensureForm6();
    // Opens a new composed-text window for the request.
    void openForm5(CompositionRequest request);

    // After a search or a listing that was not superseded: the count is
    // shown and the first line selected.
    void showFilled(bool complete);
    // A listing (the sura button, the finder): the commands that would start
    // another listing are disabled while it runs.
    void fillListing(const QString& query, qint16 notOneSura);
    ResultSet::LineSink showLines();

    QWidget* client_ = nullptr;
    int clientTwips_ = kNormalClientTwips;
    bool shutDown_ = false;

    // Program-wide integers shared by the windows.
    ProgramState state_;
    ChosenList chosenList_;

    // Secondary windows, created on first use.
    QPointer<Form2> form2_;
    QPointer<QWidget> notes_; // the notes window, opened from the about window
    QPointer<Form4> form4_;
    QPointer<Form5> form5_;
    QPointer<Form6> form6_;
    QPointer<Form7> form7_;
    QPointer<ReaderWindow> reader_;
    QPointer<VerifyWindow> verify_;
    QPointer<ResearchWindow> research_;
    std::shared_ptr<const research::ResearchIndex> researchIndex_;
    // The aya in the aya display and its labels, as a result selection
    // shows it.
    void showAya(const ResultDetails& shown);
    // The reading window, made on first use with the library and the
    // text's indexes, and placed beside the window that opens it.
    ReaderWindow& ensureReader(QWidget& beside);
    // Moves the reading window to the aya, opening it beside whatever asked.
    void showInReader(qint64 id, QWidget* asking);
    std::shared_ptr<verify::TextIndexes> textIndexes();
    std::shared_ptr<verify::TextIndexes> textIndexes_;
    // Outlives the windows above: their last saves go to it.
    std::unique_ptr<library::Library> library_;
    QString libraryNotice_;
    bool libraryOpened_ = false;
    bool libraryFailureSaid_ = false; // a failed history save is said once a run
    void keepSearch(const QString& text, const SearchOptions& options);
    qint64 shownAyaId_ = 0; // the aya in Text1, 0 before any
};

} // namespace velmor
