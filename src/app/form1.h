#pragma once

#include "chosen_list.h"
#include "program_state.h"
#include "record_view.h"
#include "result_set.h"
#include "settings_file.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

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
class Form5;
class Form6;
class Form7;

// The application's title: the caption of every message box that names
// none of its own.
QString applicationTitle();

// A message box with an OK button only, right to left, no icon.
void showMessageBox(QWidget* parent, const QString& title, const QString& text);

// The main window: search box, results, aya display with its details, the
// chosen list, the menus and the tray icon. Controls keep their designed
// names, as members and as object names.
class Form1 : public QMainWindow {
    Q_OBJECT
    // Declared first: the record views below hold on to the store.
    QString programFolder_;
    settings::SettingsPaths settingsPaths_;
    store::Store store_;

public:
    // programFolder holds the database file and the settings file.
    explicit Form1(QString programFolder, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up after the single-instance check: centring, connection
    // strings, keyboard layout, tray icon, saved display font.
    void Form_Load();

    const QString& programFolder() const { return programFolder_; }
    // Where the display font is read from at start and saved to.
    const settings::SettingsPaths& settingsPaths() const { return settingsPaths_; }
    store::Store& store() { return store_; }

    // Shows a message box with an OK button only. Replaceable, so that
    // headless runs can collect messages instead of waiting on a box.
    std::function<void(const QString& title, const QString& text)> messageBox;

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
    // Opens a new composed-text window for the request in makemode/makesora.
    void openForm5();

    // The client area is 3990 twips high, or 6070 with the tafsir panel.
    static constexpr int kNormalClientTwips = 3990;
    static constexpr int kTallClientTwips = 3990 + (6850 - 4770);
    int clientHeightTwips() const { return clientTwips_; }

    bool isShutDown() const { return shutDown_; }

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

    TrayArea* t;

    // Program-wide integers shared by the windows.
    ProgramState state;

    // Record views: Adodc1 walks every listing, Adodc2 holds the one aya
    // shown in Text1 and Text2.
    store::RecordView Adodc1;
    store::RecordView Adodc2;

    // The current results with their hidden parallel lists.
    ResultSet results;

    // Chosen ayas: addaya holds their result lines, hideadd their IDs;
    // always equal in length.
    QStringList hideadd;
    ChosenList chosenList;

    // The search options window; reading its controls before it was ever
    // shown creates it hidden, with its initial choices.
    Form6& ensureForm6();

    // The fill protocol of every producer of results: the query becomes
    // Adodc1's record source, notonesura takes the producer's value, the rows
    // are walked into the result lists, then the count is shown and the first
    // line selected. Returns false when a newer fill superseded this one.
    bool fillResults(const QString& query, qint16 notOneSura);

    // Shows a window modal, with no owner: input to the other windows is
    // blocked until it closes.
    static void showModal(QWidget& window);

    // One turn of the event loop, taken after each row of a long walk so
    // the windows repaint and stay usable.
    void yieldToEventLoop();

    // Secondary windows, created on first use.
    QPointer<Form2> form2;
    QPointer<Form4> form4;
    QPointer<Form5> form5;
    QPointer<Form6> form6;
    QPointer<Form7> form7;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(QWidget* client);
    void buildMenus();
    void setClientHeight(int twipsHeight);
    void trayButton(int button);
    void Form_Unload();
    void closeSecondaryWindows();

    QWidget* client_ = nullptr;
    int clientTwips_ = kNormalClientTwips;
    bool shutDown_ = false;
};

} // namespace velmor
