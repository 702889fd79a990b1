#include "form1.h"

#include "catalogue.h"
#include "composition.h"
#include "fonts.h"
#include "form2.h"
#include "form4.h"
#include "form6.h"
#include "form7.h"
#include "keyboard_layout.h"
#include "match_spans.h"
#include "reader_window.h"
#include "reference_lists.h"
#include "search_query.h"
#include "text_boxes.h"
#include "tray_area.h"
#include "twips.h"
#include "window_parts.h"
#include "window_placement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextOption>
#include <QToolButton>
#include <algorithm>

namespace velmor {

namespace {

constexpr int kClientWidthTwips = 7725;

QLabel* label(QWidget* parent, const char* name, QRect geometry, const QString& caption) {
    auto* widget = place<QLabel>(parent, name, geometry);
    // Captions and values read right to left: each text keeps to the right
    // edge of its box, next to what it belongs to.
    widget->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    widget->setText(caption);
    widget->setFont(designedLabelFont());
    widget->setAccessibleName(caption);
    return widget;
}

QLabel* valueLabel(QWidget* parent, const char* name, QRect geometry, const QString& initial,
                   const QString& accessibleName) {
    auto* widget = label(parent, name, geometry, initial);
    widget->setAccessibleName(accessibleName);
    return widget;
}

QToolButton* mainButton(QWidget* parent, const char* name, QRect geometry, const char* picture,
                        const QString& toolTip) {
    QToolButton* button = pictureButton(parent, name, geometry, picture, toolTip);
    button->setFont(designedLabelFont());
    return button;
}

QPlainTextEdit* textBox(QWidget* parent, const char* name, QRect geometry, const QFont& font) {
    QPlainTextEdit* box = makeReadOnlyTextBox(parent, name, font);
    box->setGeometry(geometry);
    return box;
}

QAction* action(QObject* parent, const char* name, const QString& caption) {
    auto* item = new QAction(caption, parent);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QAction* separator(QMenu* menu, const char* name) {
    QAction* item = menu->addSeparator();
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QMenu* submenu(QWidget* parent, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

// The menu shortcuts act whichever control has the keyboard, as designed;
// text boxes would otherwise take Ctrl+C and Ctrl+A for themselves.
bool isMenuShortcut(const QKeyEvent& key) {
    if (key.modifiers() != Qt::ControlModifier) {
        return false;
    }
    switch (key.key()) {
    case Qt::Key_S:
    case Qt::Key_A:
    case Qt::Key_C:
    case Qt::Key_T:
    case Qt::Key_R:
        return true;
    default:
        return false;
    }
}

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

Form1::Form1(QString programFolder, QWidget* parent)
    : QMainWindow(parent), programFolder_(std::move(programFolder)),
      settingsPaths_(settings::settingsPaths(
          programFolder_, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))),
      Adodc1(store_), Adodc2(store_) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Velmor"));
    setWindowIcon(programIcon());
    setLayoutDirection(Qt::RightToLeft);
    setFont(designedFormFont());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    messageBox = [this](const QString& title, const QString& text) {
        showMessageBox(this, title, text);
    };
    store_.setReporter([this](const QString& text) { messageBox(applicationTitle(), text); });

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);
    buildControls(client_);
    buildMenus();

    t = new TrayArea(windowIcon(), this);
    t->setObjectName(QStringLiteral("t"));
    connect(t, &TrayArea::buttonEvent, this, &Form1::trayButton);
    connect(t, &TrayArea::activated, this, [this] { max_Click(); });

    setClientHeight(kNormalClientTwips);
}

Form1::~Form1() {
    // The secondary windows refer to this one; they go first.
    delete reader_;
    delete form7_;
    delete form6_;
    delete form5_;
    delete form4_;
    delete form2_;
}

void Form1::buildControls(QWidget* client) {
    Image1 = place<QLabel>(client, "Image1", twipsRect(-120, -120, 9780, 5910));
    Image1->setPixmap(QIcon(QStringLiteral(":/artwork/background.svg")).pixmap(Image1->size()));
    Image1->lower();

    searcht = place<QLineEdit>(client, "searcht", twipsRect(45, 75, 6735, 330));
    searcht->setAlignment(Qt::AlignCenter);
    searcht->setMaxLength(1 << 20); // a pasted passage is searched whole
    searcht->setFont(designedLabelFont());
    searcht->setAccessibleName(QStringLiteral("نص البحث :"));
    searcht->installEventFilter(this);
    Label6 = label(client, "Label6", twipsRect(6810, 120, 795, 195), QStringLiteral("نص البحث :"));

    option = mainButton(client, "option", twipsRect(90, 465, 630, 465), "options",
                        QStringLiteral("خصائص البحث"));
    copytext = mainButton(client, "copytext", twipsRect(765, 465, 630, 465), "copy",
                          QStringLiteral("نسخ النص إلى الذاكرة"));
    allayaasearch = mainButton(
        client, "allayaasearch", twipsRect(1440, 465, 645, 465), "sura",
        QStringLiteral(
            "قم بتحديد اسم سورة من قائمة النتائج و اضغط على هذا الزر للقيام ببحث على هذه الآية"));
    search = mainButton(client, "search", twipsRect(2145, 465, 915, 465), "search",
                        QStringLiteral("القيام بعملية بحث"));

    Label3 = label(client, "Label3", twipsRect(5490, 750, 390, 195), QStringLiteral("الآية :"));
    Label7 =
        label(client, "Label7", twipsRect(6810, 765, 870, 195), QStringLiteral("نتائج البحث :"));

    addaya = place<QListWidget>(client, "addaya", twipsRect(45, 990, 1350, 2370));
    addaya->setAccessibleName(QStringLiteral("الآيات المختارة"));
    Text1 = textBox(client, "Text1", twipsRect(1410, 990, 4485, 2370), designedDisplayFont());
    Text1->setAccessibleName(QStringLiteral("الآية :"));

    suraayaalist = place<QListWidget>(client, "suraayaalist", twipsRect(5910, 990, 1770, 2955));
    suraayaalist->setUniformItemSizes(true);
    suraayaalist->setAccessibleName(QStringLiteral("نتائج البحث :"));
    suraayaalist->setToolTip(
        QStringLiteral("انقر مرتين على نتيجة (أو اضغط Enter) لإضافتها إلى الآيات المختارة"));
    addaya->setToolTip(
        QStringLiteral("انقر مرتين على آية (أو اضغط Enter أو Delete) لحذفها من الآيات المختارة"));
    for (QListWidget* list : {addaya, suraayaalist}) {
        list->setLayoutDirection(Qt::RightToLeft);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->installEventFilter(this);
    }

    soraayanum = valueLabel(client, "soraayanum", twipsRect(135, 3465, 600, 240),
                            QStringLiteral("0"), QStringLiteral("عدد آيات السورة :"));
    Label10 = label(client, "Label10", twipsRect(750, 3465, 1215, 195),
                    QStringLiteral("عدد آيات السورة :"));
    typetext = valueLabel(client, "typetext", twipsRect(2010, 3465, 600, 240),
                          QStringLiteral("---"), QStringLiteral("التصنيف :"));
    label8 = label(client, "label8", twipsRect(2625, 3465, 630, 195), QStringLiteral("التصنيف :"));
    chapterNOtext = valueLabel(client, "chapterNOtext", twipsRect(3285, 3465, 600, 240),
                               QStringLiteral("0"), QStringLiteral("الجزء :"));
    Label1 = label(client, "Label1", twipsRect(3900, 3465, 450, 195), QStringLiteral("الجزء :"));
    pagenotext = valueLabel(client, "pagenotext", twipsRect(4380, 3465, 600, 240),
                            QStringLiteral("0"), QStringLiteral("رقم الصفحة :"));
    Label4 =
        label(client, "Label4", twipsRect(4995, 3465, 855, 195), QStringLiteral("رقم الصفحة :"));

    // The count grows to four digits: the label keeps its right edge and
    // extends to the left so that no count is clipped.
    score = valueLabel(client, "score", twipsRect(4740 - 600, 3735, 600, 195), QStringLiteral("0"),
                       QStringLiteral("عدد النتائج :"));
    Label2 =
        label(client, "Label2", twipsRect(4995, 3720, 840, 195), QStringLiteral("عدد النتائج :"));

    Text2 = textBox(client, "Text2", twipsRect(45, 3975, 7650, 2070), [] {
        QFont font = designedDisplayFont();
        font.setPointSizeF(9.75);
        return font;
    }());
    Text2->setAccessibleName(QStringLiteral("تفسير معاني القرآن"));
    Text2->hide();

    fitCaptions(client);
    for (QWidget* box : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2)}) {
        box->installEventFilter(this);
    }
    connectControls();
}

void Form1::connectControls() {
    setTabOrder(searcht, Text1);
    setTabOrder(Text1, suraayaalist);
    setTabOrder(suraayaalist, addaya);
    setTabOrder(addaya, search);
    setTabOrder(search, copytext);
    setTabOrder(copytext, option);
    setTabOrder(option, allayaasearch);
    setTabOrder(allayaasearch, Text2);

    connect(option, &QToolButton::clicked, this, &Form1::option_Click);
    connect(copytext, &QToolButton::clicked, this, &Form1::copytext_Click);
    connect(allayaasearch, &QToolButton::clicked, this, &Form1::allayaasearch_Click);
    connect(search, &QToolButton::clicked, this, &Form1::search_Click);
    connect(suraayaalist, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            suraayaalist_Click();
        }
    });
    connect(suraayaalist, &QListWidget::itemDoubleClicked, this, &Form1::suraayaalist_DblClick);
    connect(addaya, &QListWidget::itemDoubleClicked, this, &Form1::addaya_DblClick);
    connect(&chosenList_, &ChosenList::added, addaya,
            [this](const QString& line) { addaya->addItem(line); });
    connect(&chosenList_, &ChosenList::removed, addaya,
            [this](int k) { delete addaya->takeItem(k); });
}

void Form1::fitCaptions(QWidget* client) {
    // A caption wider than its designed box grows to the left, keeping its
    // right edge (and a taller one about its middle), so that no text is cut
    // off in the substituted fonts.
    for (QLabel* caption : client->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (caption == Image1) {
            continue;
        }
        const QSize needed = caption->sizeHint();
        QRect box = caption->geometry();
        if (needed.width() > box.width()) {
            box.setLeft(box.right() + 1 - needed.width());
        }
        if (needed.height() > box.height()) { // grow about the designed middle
            box.adjust(0, -(needed.height() - box.height()) / 2, 0, 0);
            box.setHeight(needed.height());
        }
        caption->setGeometry(box);
    }
    // Each value ends a few pixels short of its caption, so that a widened
    // caption never runs into the value beside it.
    const std::pair<QLabel*, QLabel*> valueAndCaption[] = {{soraayanum, Label10},
                                                           {typetext, label8},
                                                           {chapterNOtext, Label1},
                                                           {pagenotext, Label4},
                                                           {score, Label2}};
    for (const auto& [value, caption] : valueAndCaption) {
        QRect box = value->geometry();
        box.setRight(std::min(box.right(), caption->geometry().left() - 3));
        value->setGeometry(box);
    }
}

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menubar"));

    tafser = action(this, "tafser", QStringLiteral("تفسير معاني القرآن"));
    bar->addAction(tafser);

    SHOW1 = submenu(this, "SHOW1", QStringLiteral("SHOW1"));
    closeme = action(SHOW1, "closeme", QStringLiteral("إغلاق"));
    SHOW1->addAction(closeme);
    cut1 = separator(SHOW1, "cut1");
    max = action(SHOW1, "max", QStringLiteral("إظهار"));
    min = action(SHOW1, "min", QStringLiteral("اخفاء"));
    SHOW1->addAction(max);
    SHOW1->addAction(min);
    cut2 = separator(SHOW1, "cut2");
    updateme = action(SHOW1, "updateme", QStringLiteral("تحديث"));
    aboutme = action(SHOW1, "aboutme", QStringLiteral("عن البرنامج"));
    SHOW1->addAction(updateme);
    SHOW1->addAction(aboutme);
    cut3 = separator(SHOW1, "cut3");
    closeme2 = action(SHOW1, "closeme2", QStringLiteral("أغلاق القائمة"));
    SHOW1->addAction(closeme2);
    SHOW1->setLayoutDirection(Qt::RightToLeft);

    fullsearch = action(this, "fullsearch", QStringLiteral("البحوث الكاملة"));
    bar->addAction(fullsearch);

    make = submenu(this, "make", QStringLiteral("تكوين النص"));
    chosen = action(make, "chosen", QStringLiteral("تكوين النص المختار"));
    chosen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    allayaa = action(make, "allayaa", QStringLiteral("تكوين النص لسورة كاملة"));
    allayaa->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    make->addAction(chosen);
    make->addAction(allayaa);
    bar->addMenu(make);

    help = submenu(this, "help", QStringLiteral("مساعدة"));
    about = action(help, "about", QStringLiteral("عن البرنامج"));
    help->addAction(about);
    cut = separator(help, "cut");
    update = action(help, "update", QStringLiteral("تحديث"));
    help->addAction(update);
    shortcuts = submenu(help, "shortcuts", QStringLiteral("الاختصارات"));
    copy = action(shortcuts, "copy", QStringLiteral("نسخ النص"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    tools = action(shortcuts, "tools", QStringLiteral("tools"));
    tools->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    shortcuts->addAction(copy);
    shortcuts->addAction(tools);
    help->addMenu(shortcuts);
    bar->addMenu(help);

    reading = action(this, "reading", QStringLiteral("القراءة"));
    reading->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    bar->addAction(reading);

    // F10 opens the menu bar at its first menu, as Alt alone does.
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, bar, [bar] {
        bar->setFocus(Qt::MenuBarFocusReason);
        bar->setActiveAction(bar->actions().value(0));
    });

    for (QAction* item : {chosen, allayaa, copy, tools, reading}) {
        item->setShortcutContext(Qt::WindowShortcut);
    }

    connect(tafser, &QAction::triggered, this, &Form1::tafser_Click);
    connect(closeme, &QAction::triggered, this, &Form1::closeme_Click);
    connect(max, &QAction::triggered, this, &Form1::max_Click);
    connect(min, &QAction::triggered, this, &Form1::min_Click);
    connect(updateme, &QAction::triggered, this, &Form1::updateme_Click);
    connect(aboutme, &QAction::triggered, this, &Form1::aboutme_Click);
    connect(fullsearch, &QAction::triggered, this, &Form1::fullsearch_Click);
    connect(chosen, &QAction::triggered, this, &Form1::chosen_Click);
    connect(allayaa, &QAction::triggered, this, &Form1::allayaa_Click);
    connect(about, &QAction::triggered, this, &Form1::about_Click);
    connect(update, &QAction::triggered, this, &Form1::update_Click);
    connect(copy, &QAction::triggered, this, &Form1::copy_Click);
    connect(tools, &QAction::triggered, this, &Form1::tools_Click);
    connect(reading, &QAction::triggered, this, &Form1::reading_Click);
    // closeme2 only closes the pop-up, which choosing any item does.
}

void Form1::Form_Load() {
    centreOnScreen(*this);
    // Both views get the connection string; no query runs yet.
    Adodc1.setConnectionString(store::buildConnectionString(programFolder_));
    Adodc2.setConnectionString(store::buildConnectionString(programFolder_));
    activateArabicKeyboard();
    t->setShowIcon(true);
    // The saved display font; anything unusable in it is passed over.
    if (const auto saved = settings::readSettingsFile(settingsPaths_.read)) {
        QFont font = Text1->font();
        settings::applySavedFont(*saved, font);
        Text1->setFont(font);
    }
}

void Form1::setClientHeight(int twipsHeight) {
    clientTwips_ = twipsHeight;
    client_->setFixedSize(twips(kClientWidthTwips), twips(twipsHeight));
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(twips(kClientWidthTwips), twips(twipsHeight) + menuHeight);
    // The window grows at the bottom, its top kept, unless that would take
    // it off the screen: then it moves up just enough.
    if (const QScreen* display = screen(); display != nullptr && isVisible()) {
        const QRect available = display->availableGeometry();
        const int overflow = frameGeometry().bottom() - available.bottom();
        if (overflow > 0) {
            move(x(), std::max(available.top(), y() - overflow));
        }
    }
}

void Form1::tafser_Click() {
    if (clientHeightTwips() == kTallClientTwips) {
        setClientHeight(kNormalClientTwips);
        Text2->hide();
    } else {
        setClientHeight(kTallClientTwips);
        Text2->show();
    }
}

void Form1::max_Click() {
    // A window minimized by the window manager comes back too.
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void Form1::min_Click() {
    hide();
}

void Form1::trayButton(int button) {
    if (button == TrayArea::kRightButton) {
        SHOW1->popup(QCursor::pos());
    }
}

void Form1::closeme_Click() {
    close();
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    t->setShowIcon(false);
    // Any walk still yielding stops at its next step.
    results_.beginFill();
    closeSecondaryWindows();
    if (reader_) {
        reader_->close(); // keeps its settings
    }
    QCoreApplication::exit(0);
}

void Form1::closeSecondaryWindows() {
    // In this order; a window that is not loaded is not loaded for it. The
    // deletion is deferred, since a window may be inside its own handler.
    for (const char* name : {"Form2", "Form3", "Form4", "Form5", "Form6", "Form7"}) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String(name)) {
                window->close();
                window->deleteLater();
            }
        }
    }
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (isEnter(*event)) {
        search_Click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        isMenuShortcut(*static_cast<QKeyEvent*>(event))) {
        return true; // not overridden: the menu shortcut runs
    }
    if (event->type() == QEvent::KeyPress && (watched == suraayaalist || watched == addaya)) {
        // Enter on a list does what its double-click does (Delete too on the
        // chosen list); Enter elsewhere still searches.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == suraayaalist && isEnter(*key)) {
            suraayaalist_DblClick();
            return true;
        }
        if (watched == addaya && (isEnter(*key) || key->key() == Qt::Key_Delete)) {
            addaya_DblClick();
            return true;
        }
    }
    if (watched == searcht && event->type() == QEvent::KeyPress &&
        isEnter(*static_cast<QKeyEvent*>(event))) {
        // The search box runs the search itself and keeps the key from the
        // window, so one Enter starts one search.
        search_Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The options window.

QFont Form1::displayFont() const {
    return Text1->font();
}

void Form1::setDisplayFont(const QFont& font) {
    Text1->setFont(font);
}

void Form1::keepDisplayFont() {
    const auto saved =
        settings::writeSettingsFile(settingsPaths_.write, settings::displayFontOf(Text1->font()));
    if (saved != settings::SaveResult::Saved) {
        messageBox(applicationTitle(), settings::saveFailureMessage(saved, settingsPaths_.write));
    }
}

Form6& Form1::ensureForm6() {
    if (!form6_) {
        form6_ = new Form6(*this);
        form6_->Form_Load();
    }
    return *form6_;
}

void Form1::option_Click() {
    showModal(ensureForm6());
}

// Results.

bool Form1::fillResults(const QString& query, qint16 notOneSura) {
    const ResultSet::FillToken fill = results_.beginFill();
    Adodc1.setRecordSource(query);
    state_.notonesura = notOneSura;
    Adodc1.refresh();
    suraayaalist->clear();
    const bool complete =
        results_.walk(fill, Adodc1, FrameYield(),
                      [this](const QStringList& lines) { suraayaalist->addItems(lines); });
    if (complete && Adodc1.failed()) {
        // The rows before the failure are not the result: nothing is shown
        // as if it were (the failure has been reported).
        results_.clear();
        suraayaalist->clear();
    }
    if (complete) {
        score->setText(QString::number(suraayaalist->count()));
        // Selecting by program runs the selection handling like a click.
        if (suraayaalist->count() > 0) {
            suraayaalist->setCurrentRow(0);
        }
    }
    return complete;
}

bool Form1::fillListing(const QString& query, qint16 notOneSura) {
    searchedFor_.reset();
    fullsearch->setEnabled(false);
    allayaasearch->setEnabled(false);
    const bool complete = fillResults(query, notOneSura);
    fullsearch->setEnabled(true);
    allayaasearch->setEnabled(true);
    return complete;
}

void Form1::search_Click() {
    const QString text = searchableText(searcht->text());
    if (text != searcht->text()) {
        searcht->setText(text);
    }
    allayaasearch->setEnabled(false);
    if (!isEmptySearch(text)) {
        const SearchOptions options = ensureForm6().searchOptions(state_.searchscope);
        searchedFor_ = SearchedFor{text, options.wholeWord};
        fillResults(composeSearchQuery(text, options), 1);
    }
    allayaasearch->setEnabled(true);
}

void Form1::suraayaalist_Click() {
    const ResultRow* row = results_.at(suraayaalist->currentRow());
    if (row == nullptr) {
        return;
    }
    Adodc2.setRecordSource(store::catalogue::oneAya(row->id));
    Adodc2.refresh();
    // The aya is fetched anew, so the reference is shown once however often
    // the line is selected.
    const QString aya = Adodc2.field(u"ayaa");
    Text1->setPlainText(ayaDisplayText(aya, row->line));
    showMatches(aya);
    Text2->setPlainText(Adodc2.field(u"taf"));
    if (row->sura >= 1 && row->sura <= store::typelist().size()) {
        typetext->setText(store::typelist()[row->sura - 1]);
        soraayanum->setText(store::soraayanumlist()[row->sura - 1]);
    }
    chapterNOtext->setText(QString::number(row->juz));
    pagenotext->setText(QString::number(row->page));
    shownAyaId_ = row->id;
    if (reader_ && reader_->isVisible()) {
        reader_->follow(row->id, searchedFor_ ? std::optional<ReadingSession::Search>(
                                                    {searchedFor_->text, searchedFor_->wholeWord})
                                              : std::nullopt);
    }
}

void Form1::showMatches(const QString& ayaText) {
    QList<QTextEdit::ExtraSelection> marks;
    if (searchedFor_) {
        QTextCharFormat format;
        format.setBackground(Text1->palette().brush(QPalette::Highlight));
        format.setForeground(Text1->palette().brush(QPalette::HighlightedText));
        const auto spans =
            utf16Spans(matchSpans(searchedFor_->text, searchedFor_->wholeWord, ayaText), ayaText);
        for (const MatchSpan& span : spans) {
            QTextCursor stretch(Text1->document());
            stretch.setPosition(static_cast<int>(span.start));
            stretch.setPosition(static_cast<int>(span.start + span.length),
                                QTextCursor::KeepAnchor);
            marks.append({stretch, format});
        }
    }
    Text1->setExtraSelections(marks);
}

void Form1::suraayaalist_DblClick() {
    const ResultRow* row = results_.at(suraayaalist->currentRow());
    if (row == nullptr) {
        return;
    }
    // The list keeps its own copy of the line: the results may be refilled
    // during the duplicate scan's yields.
    chosenList_.add(row->line, row->id, Text1->toPlainText().isEmpty(), FrameYield(), [this] {
        messageBox(applicationTitle(), QStringLiteral("لقد تمت إضافة هذه الآية سابقا"));
    });
}

void Form1::allayaasearch_Click() {
    if (const ResultRow* selected = results_.at(suraayaalist->currentRow())) {
        fillListing(store::catalogue::wholeSura(selected->sura), 0);
    }
}

void Form1::addaya_DblClick() {
    chosenList_.remove(addaya->currentRow());
}

// Composition.

void Form1::chosen_Click() {
    state_.makemode = CompositionRequest::Chosen;
    openForm5({state_.makemode, state_.makesora});
}

void Form1::allayaa_Click() {
    if (state_.notonesura != 0) {
        messageBox(QStringLiteral("خطأ"), QStringLiteral("إن نتائج البحث ليست لسورة واحدة"));
        return;
    }
    if (results_.count() > 0) {
        state_.makesora = static_cast<qint16>(results_.rows().front().sura);
    }
    state_.makemode = CompositionRequest::WholeSura;
    openForm5({state_.makemode, state_.makesora});
}

void Form1::openForm5(CompositionRequest request) {
    // Each opening composes afresh in a new window.
    if (form5_) {
        form5_->close();
    }
    form5_ = new Form5(request, chosenList_, store_, programFolder_, Text1->font());
    form5_->Form_Load();
    showModal(*form5_);
}

void Form1::copytext_Click() {
    // The raw text keeps the aya's no-break spaces, which the plain text
    // form of a text box turns into blanks.
    copyToClipboard(Text1->document()->toRawText());
}

// The finder and the information windows.

void Form1::fullsearch_Click() {
    // Loaded once; after a pick it is only hidden, and shows again with the
    // picked texts. Its close box unloads it.
    if (!form7_) {
        form7_ = new Form7(
            [this](const QString& query, qint16 notOneSura) { fillListing(query, notOneSura); });
        form7_->Form_Load();
    }
    showModal(*form7_);
}

void Form1::reading_Click() {
    if (!reader_) {
        reader_ = new ReaderWindow(store_, store::buildConnectionString(programFolder_),
                                   readerSettingsPath());
        reader_->placeBeside(frameGeometry());
    }
    if (shownAyaId_ != 0 && searchedFor_) {
        reader_->follow(shownAyaId_,
                        ReadingSession::Search{searchedFor_->text, searchedFor_->wholeWord});
    }
    reader_->open(shownAyaId_ != 0 ? std::optional<qint64>(shownAyaId_) : std::nullopt);
}

void Form1::about_Click() {
    // Created afresh at each opening.
    if (form2_) {
        form2_->close();
    }
    form2_ = new Form2;
    form2_->Form_Load();
    showModal(*form2_);
}

void Form1::update_Click() {
    if (form4_) {
        form4_->close();
    }
    form4_ = new Form4(programFolder_, messageBox);
    form4_->Form_Load();
    showModal(*form4_);
}

} // namespace velmor
