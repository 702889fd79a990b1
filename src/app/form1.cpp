#include "form1.h"

#include "catalogue.h"
#include "fonts.h"
#include "form2.h"
#include "form4.h"
#include "form6.h"
#include "form7.h"
#include "keyboard_layout.h"
#include "reader_window.h"
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
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace velmor {

namespace {
// The menu shortcuts act whichever control has the keyboard, as designed;
// text boxes would otherwise take Ctrl+C and Ctrl+A for themselves.

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

Form1::Form1(QString programFolder, QWidget* parent)
    : QMainWindow(parent), programFolder_(std::move(programFolder)),
      settingsPaths_(settings::settingsPaths(
          programFolder_, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))),
      session_(store_), Adodc1(session_.walker), Adodc2(session_.ayaView) {
    designWindow();
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
    // The secondary windows refer to this one; they go first, the last
    // loaded first.
    const std::vector<QWidget*> windows = secondaryWindows();
    for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
        delete *window;
    }
}

std::vector<QWidget*> Form1::secondaryWindows() const {
    return {form2_, notes_, form4_, form5_, form6_, form7_, reader_, verify_, research_};
}

void Form1::connectControls() {
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
    bindAnnouncements(); // before the list changes, to name what it loses
    connect(&chosenList_, &ChosenList::added, addaya,
            [this](const QString& line) { addaya->addItem(line); });
    connect(&chosenList_, &ChosenList::removed, addaya,
            [this](int k) { delete addaya->takeItem(k); });
}

void Form1::Form_Load() {
    centreOnScreen(*this);
    // Both views get the connection string; no query runs yet.
    session_.connect(store::buildConnectionString(programFolder_));
    activateArabicKeyboard();
    t->setShowIcon(true);
    // The saved display font; anything unusable in it is passed over.
    if (const auto saved = settings::readSettingsFile(settingsPaths_.read)) {
        QFont font = Text1->font();
        settings::applySavedFont(*saved, font);
        Text1->setFont(font);
    }
    // The reader's library opens once the window is up.
    QTimer::singleShot(0, this, [this] { (void)ensureLibrary(); });
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
    session_.stopWalks();
    closeSecondaryWindows();
    if (reader_) {
        reader_->close(); // keeps its settings
    }
    QCoreApplication::exit(0);
}

void Form1::closeSecondaryWindows() {
    // In the designed order, Form2 to Form7; a window that is not loaded is
    // not loaded for it. The deletion is deferred, since a window may be
    // inside its own handler. The reading window closes last, keeping its
    // settings.
    for (QWidget* window : secondaryWindows()) {
        if (window != nullptr && window != reader_) {
            window->close();
            window->deleteLater();
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

ResultSet::LineSink Form1::showLines() {
    suraayaalist->clear();
    return [this](const QStringList& lines) { suraayaalist->addItems(lines); };
}

void Form1::showFilled(bool complete) {
    if (!complete) {
        return; // the newer fill shows its own
    }
    if (session_.results().count() == 0) {
        suraayaalist->clear(); // a walk that failed halfway shows nothing
    }
    setSpokenValue(*score, QString::number(suraayaalist->count()));
    announceResults();
    // Selecting by program runs the selection handling like a click.
    if (suraayaalist->count() > 0) {
        suraayaalist->setCurrentRow(0);
    }
}

void Form1::fillListing(const QString& query, qint16 notOneSura) {
    fullsearch->setEnabled(false);
    allayaasearch->setEnabled(false);
    showFilled(session_.list(query, notOneSura, FrameYield(), showLines()));
    fullsearch->setEnabled(true);
    allayaasearch->setEnabled(true);
}

void Form1::search_Click() {
    const QString text = searchableText(searcht->text());
    if (text != searcht->text()) {
        searcht->setText(text);
    }
    allayaasearch->setEnabled(false);
    if (!isEmptySearch(text)) {
        const SearchOptions options = ensureForm6().searchOptions(state_.searchscope);
        const bool complete = session_.search(text, options, FrameYield(), showLines());
        showFilled(complete);
        if (complete) {
            keepSearch(text, options);
        }
    }
    allayaasearch->setEnabled(true);
}

void Form1::suraayaalist_Click() {
    const auto shown = session_.details(suraayaalist->currentRow());
    if (!shown) {
        return;
    }
    showAya(*shown);
    if (reader_ && reader_->isVisible()) {
        reader_->follow(shown->id, session_.searchedFor());
    }
}

void Form1::showAya(const ResultDetails& shown) {
    Text1->setPlainText(shown.display);
    // What the search matched, in the palette's highlight colour.
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat matched;
    matched.setBackground(Text1->palette().brush(QPalette::Highlight));
    matched.setForeground(Text1->palette().brush(QPalette::HighlightedText));
    for (const MatchSpan& span : shown.spans) {
        marks.append(markedStretch(Text1->document(), span.start, span.length, matched));
    }
    Text1->setExtraSelections(marks);
    Text2->setPlainText(shown.tafsir);
    if (!shown.suraClass.isEmpty()) {
        setSpokenValue(*typetext, shown.suraClass);
        setSpokenValue(*soraayanum, shown.suraAyaCount);
    }
    setSpokenValue(*chapterNOtext, QString::number(shown.juz));
    setSpokenValue(*pagenotext, QString::number(shown.page));
    shownAyaId_ = shown.id;
}

void Form1::suraayaalist_DblClick() {
    const ResultRow* row = session_.results().at(suraayaalist->currentRow());
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
    if (const ResultRow* selected = session_.results().at(suraayaalist->currentRow())) {
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
    if (session_.notOneSura() != 0) {
        messageBox(QStringLiteral("خطأ"), QStringLiteral("إن نتائج البحث ليست لسورة واحدة"));
        return;
    }
    if (session_.results().count() > 0) {
        state_.makesora = static_cast<qint16>(session_.results().rows().front().sura);
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
    ReaderWindow& reader = ensureReader(*this);
    if (shownAyaId_ != 0) {
        reader.follow(shownAyaId_, session_.searchedFor());
    }
    reader.open(shownAyaId_ != 0 ? std::optional<qint64>(shownAyaId_) : std::nullopt);
}

void Form1::about_Click() {
    // Created afresh at each opening.
    if (form2_) {
        form2_->close();
    }
    form2_ = new Form2;
    form2_->setNotesOpened([this](QWidget* notes) { notes_ = notes; });
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
