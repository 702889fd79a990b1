#include "reader_window.h"

#include "log.h"
#include "pane_zoom.h"
#include "placement.h"
#include "reader_look.h"
#include "result_set.h"
#include "script_font.h"
#include "scripture_view.h"
#include "text_boxes.h"
#include "window_parts.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <algorithm>

namespace velmor {

ReaderWindow::ReaderWindow(store::Store& store, const QString& connectionString,
                           QString settingsPath, QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store), connectionString_(connectionString),
      settingsPath_(std::move(settingsPath)), preferences_(ReaderPreferences::load(settingsPath_)),
      session_(store, connectionString) {
    setObjectName(QStringLiteral("ReaderWindow"));
    setWindowTitle(QStringLiteral("القراءة - Velmor"));
    setWindowIcon(programIcon());
    setLayoutDirection(Qt::RightToLeft);
    setAccessibleName(QStringLiteral("نافذة القراءة"));
    static_cast<void>(session_.setScript(preferences_.script));
    buildControls();
    buildShortcuts();
    restoreLayout();
    applyTheme();
}

void ReaderWindow::restoreLayout() {
    // A saved place is used only where it still fits a screen (a garbage
    // one, or one saved on a screen that is gone, is placed anew).
    QList<QRect> screens;
    for (const QScreen* screen : QApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    if (!preferences_.geometry.isEmpty() && restoreGeometry(preferences_.geometry)) {
        placed_ = fitsAScreen(frameGeometry(), screens) && fitsAScreen(geometry(), screens);
    }
    if (!placed_) {
        resize(760, 640);
    }
    if (!preferences_.splitter.isEmpty()) {
        splitter->restoreState(preferences_.splitter);
    }
    if (!preferences_.sideSplitter.isEmpty()) {
        sideSplit->restoreState(preferences_.sideSplitter);
    }
    libraryPanel->tabs->setCurrentIndex(preferences_.panelTab);
    showLibraryPanel(preferences_.panelShown);
}

ReaderWindow::~ReaderWindow() = default;

void ReaderWindow::checkSplit() {
    // The split is kept only where both panes keep a usable height at this
    // scale (a split saved at another left the text a line high); it is
    // known once the window is laid out.
    const QList<int> usable{2 * scripture->fontMetrics().lineSpacing(),
                            2 * tafsirPane->fontMetrics().lineSpacing()};
    if (!isUsableSplit(splitter->sizes(), usable)) {
        const int total = std::max(splitter->height(), 4);
        splitter->setSizes({total * 3 / 4, total / 4});
    }
    const bool shown = splitter->sizes().value(1) > 0;
    if (shown) {
        tafsirShownSizes_ = splitter->sizes();
    }
    const QSignalBlocker quiet(tafsirToggle);
    tafsirToggle->setChecked(shown);
    tafsirSplit->setVisible(shown);
}

void ReaderWindow::placeBeside(QWidget& mainWindow) {
    if (placed_) {
        return; // where the reader left it
    }
    const QRect main = mainWindow.frameGeometry();
    const QScreen* display = QApplication::screenAt(main.center());
    if (display == nullptr) {
        resize(760, 640);
        return;
    }
    const Placement placement =
        velmor::placeBeside(main, display->availableGeometry(), minimumSizeHint());
    if (placement.mainWindowAt) {
        mainWindow.move(*placement.mainWindowAt);
    }
    // The frame's size is the window's plus its decoration.
    const QSize decoration = frameGeometry().size() - geometry().size();
    resize(placement.reader.size() - decoration);
    move(placement.reader.topLeft());
}

void ReaderWindow::open(std::optional<qint64> id) {
    showOn(id, true);
}

void ReaderWindow::openBehind(qint64 id) {
    showOn(id, false);
}

void ReaderWindow::showOn(std::optional<qint64> id, bool activate) {
    moveTo(id ? id : lastReadId());
    if (session_.current() == 0) {
        moveTo(1); // the remembered aya is not in this database
    }
    say(session_.ready() ? QString() : QStringLiteral("تعذرت قراءة قاعدة البيانات، فلا نص لعرضه."));
    setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (!splitChecked_) {
        splitChecked_ = true;
        checkSplit();
    }
    if (activate) {
        raise();
        activateWindow();
        if (focusWidget() == nullptr) {
            scripture->setFocus(Qt::OtherFocusReason); // the first time, the text
        }
    }
    scrollToCurrent(); // now that the text has its width
}

void ReaderWindow::follow(qint64 id, std::optional<ReadingSession::Search> search) {
    const bool searchChanged = session_.setSearch(std::move(search));
    // A new sura is shown with the new search's marks already.
    if (moveTo(id) != ReadingSession::Moved::ToAnotherSura && searchChanged) {
        markMatches();
        markAyas();
    }
}

ReadingSession::Moved ReaderWindow::moveTo(std::optional<qint64> id) {
    const ReadingSession::Moved moved = id ? session_.goTo(*id) : ReadingSession::Moved::Nowhere;
    if (moved == ReadingSession::Moved::ToAnotherSura) {
        showSura();
    }
    if (moved != ReadingSession::Moved::Nowhere) {
        say({}); // a message is about the move before
        showCurrent();
        if (recitation_) {
            setReciting(true); // from the new aya
        }
    }
    return moved;
}

void ReaderWindow::chooseAt(int position) {
    // A click in an aya makes it the current one, as a step does; the caret
    // stays where the click put it.
    const SuraText::Placed* aya = session_.sura().at(position);
    if (aya == nullptr || aya->id == session_.current()) {
        return;
    }
    if (session_.goTo(aya->id) != ReadingSession::Moved::Nowhere) {
        say({});
        markAyas();
        showTafsir();
        showPlace();
        if (recitation_) {
            setReciting(true);
        }
    }
}

void ReaderWindow::step(std::optional<qint64> (Mushaf::*to)(qint64) const) {
    if (session_.ready() && session_.current() != 0) {
        moveTo((session_.mushaf().*to)(session_.current()));
    }
}

void ReaderWindow::nextAya() {
    step(&Mushaf::nextAya);
}
void ReaderWindow::previousAya() {
    step(&Mushaf::previousAya);
}
void ReaderWindow::nextSura() {
    step(&Mushaf::nextSura);
}
void ReaderWindow::previousSura() {
    step(&Mushaf::previousSura);
}
void ReaderWindow::nextPage() {
    step(&Mushaf::nextPage);
}
void ReaderWindow::previousPage() {
    step(&Mushaf::previousPage);
}

bool ReaderWindow::goTo(const QString& reference) {
    const ParsedReference parsed = parseReference(reference);
    if (!parsed.ref) {
        say(parsed.error);
        return false;
    }
    const auto id = session_.ensureReady() ? session_.mushaf().idOf(*parsed.ref) : std::nullopt;
    if (!id) {
        say(QStringLiteral("لا توجد هذه الآية في قاعدة البيانات"));
        return false;
    }
    say({});
    moveTo(id);
    scripture->setFocus(Qt::OtherFocusReason);
    return true;
}

QString ReaderWindow::message() const {
    return messageLine->text();
}

void ReaderWindow::say(const QString& text) {
    setSpokenValue(*messageLine, text);
    if (!text.isEmpty()) {
        announce(*this, text);
    }
}

void ReaderWindow::showSura() {
    const SuraText& sura = session_.sura();
    suraHeader->setText(sura.header);
    suraHeader->setAccessibleName(sura.header);
    scripture->showSura(sura, session_.matches(), coloursOf(preferences_.theme));
    markLibrary();
}

void ReaderWindow::showCurrent() {
    markAyas();
    scrollToCurrent();
    showTafsir();
    showPlace();
    // The new aya whole, not the screen line the caret landed on.
    const AyaPlace& place = session_.place();
    announce(*this, resultLine(place.sura, place.aya) + QStringLiteral("، ") + session_.ayaText());
}

void ReaderWindow::showPlace() {
    const AyaPlace& place = session_.place();
    setSpokenValue(*placeLine,
                   QStringLiteral("%1 · الصفحة %2 · الجزء %3")
                       .arg(resultLine(place.sura, place.aya), arabicIndicNumber(place.page),
                            arabicIndicNumber(place.juz)));
    libraryPanel->setCurrentAya({place.sura, place.aya});
    showSimilar();
    if (library_ != nullptr && !library_->readOnly()) {
        lastReadTimer_.start();
    } else {
        preferences_.lastAya = session_.current();
    }
}

void ReaderWindow::showTafsir() {
    tafsirPane->setPlainText(session_.tafsir(preferences_.source));
    if (preferences_.bothTafsirs) {
        otherTafsirPane->setPlainText(session_.tafsir(preferences_.source == TafsirSource::Muyassar
                                                          ? TafsirSource::Jalalayn
                                                          : TafsirSource::Muyassar));
    } else {
        otherTafsirPane->clear();
    }
}

void ReaderWindow::markAyas() {
    scripture->markCurrent(session_.sura().find(session_.current()), session_.matches(),
                           coloursOf(preferences_.theme));
}

void ReaderWindow::markMatches() {
    scripture->markMatches(session_.matches(), coloursOf(preferences_.theme));
}

void ReaderWindow::scrollToCurrent() {
    if (const SuraText::Placed* current = session_.sura().find(session_.current())) {
        scripture->scrollTo(*current);
    }
}

void ReaderWindow::showTafsirPane(bool shown) {
    tafsirSplit->setVisible(shown);
    // A pane dragged shut opens again at the split it last had.
    if (shown && splitter->sizes().value(1) == 0) {
        const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
        splitter->setSizes(tafsirShownSizes_.size() == 2 && tafsirShownSizes_[1] > 0
                               ? tafsirShownSizes_
                               : QList<int>{total * 3 / 4, total / 4});
    }
}

void ReaderWindow::setTafsirSource(TafsirSource source) {
    preferences_.source = source;
    sourcePicker->setCurrentIndex(
        sourcePicker->findData(QVariant::fromValue(static_cast<int>(source))));
    showTafsir();
}

void ReaderWindow::setTheme(ReaderTheme theme) {
    preferences_.theme = theme;
    themePicker->setCurrentIndex(
        themePicker->findData(QVariant::fromValue(static_cast<int>(theme))));
    applyTheme();
    markMatches();
    markAyas();
    showRecitation();
}

void ReaderWindow::applyTheme() {
    const QPalette palette = readerPalette(preferences_.theme, QApplication::palette());
    setPalette(palette);
    QPalette header = palette;
    header.setColor(QPalette::Window, coloursOf(preferences_.theme).background);
    suraHeader->setPalette(header);
}

void ReaderWindow::setTafsirSize(double points) {
    preferences_.tafsirSize = steppedSize(points, 0);
    tafsirPane->setFont(readerFont(preferences_.tafsirSize));
}

void ReaderWindow::stepSize(QWidget* pane, int steps) {
    if (pane == otherTafsirPane) {
        preferences_.otherTafsirSize = steppedSize(preferences_.otherTafsirSize, steps);
        otherTafsirPane->setFont(readerFont(preferences_.otherTafsirSize));
    } else if (pane == tafsirPane) {
        setTafsirSize(steppedSize(preferences_.tafsirSize, steps));
    } else {
        setScriptureSize(steppedSize(preferences_.scriptureSize, steps));
    }
}

void ReaderWindow::resetSize(QWidget* pane) {
    if (pane == otherTafsirPane) {
        preferences_.otherTafsirSize = ReaderPreferences::kTafsirSize;
        otherTafsirPane->setFont(readerFont(preferences_.otherTafsirSize));
    } else if (pane == tafsirPane) {
        setTafsirSize(ReaderPreferences::kTafsirSize);
    } else {
        setScriptureSize(ReaderPreferences::kScriptureSize);
    }
}

QWidget* ReaderWindow::focusedPane() const {
    const QWidget* focus = focusWidget();
    for (QPlainTextEdit* pane : {tafsirPane, otherTafsirPane}) {
        if (focus != nullptr && (focus == pane || pane->isAncestorOf(focus))) {
            return pane;
        }
    }
    return scripture;
}

void ReaderWindow::copyAya() {
    const QString text = session_.copyText(plainCopy->isChecked());
    if (!text.isEmpty()) {
        copyToClipboard(text);
    }
}

void ReaderWindow::copySelection(const QPlainTextEdit& pane) {
    // The selection as the document holds it (a no-break space stays one).
    QString text = pane.textCursor().selection().toPlainText();
    if (plainCopy->isChecked()) {
        text = plainLetters(text);
    }
    copyToClipboard(text);
}

bool ReaderWindow::eventFilter(QObject* watched, QEvent* event) {
    // Copy in a pane copies what is selected there; with nothing selected,
    // the current aya with its reference, as the aya display's copy does.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* pane = qobject_cast<QPlainTextEdit*>(watched);
        // While reciting, the text's own keys are the recitation's.
        if (watched == scripture && recitation_ && key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
             key->key() == Qt::Key_Enter || key->key() == Qt::Key_Backspace)) {
            event->accept();
            return event->type() == QEvent::KeyPress ? reciteKey(*key) : false;
        }
        if (key->matches(QKeySequence::Copy) && pane != nullptr) {
            if (event->type() == QEvent::KeyPress) {
                if (pane->textCursor().hasSelection()) {
                    copySelection(*pane);
                } else {
                    copyAya();
                }
            }
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ReaderWindow::keepPreferences() {
    preferences_.geometry = saveGeometry();
    preferences_.splitter = splitter->saveState();
    preferences_.sideSplitter = sideSplit->saveState();
    preferences_.panelShown = libraryPanel->isVisible();
    preferences_.panelTab = libraryPanel->tabs->currentIndex();
    const Done saved = preferences_.save(settingsPath_);
    // Said once a run; the reason is in the log (velmor.reader).
    if (!saved && !saveFailureSaid_ && messageBox_) {
        saveFailureSaid_ = true;
        messageBox_(applicationTitle(), QStringLiteral("تعذر حفظ إعدادات نافذة القراءة في الملف ") +
                                            QDir::toNativeSeparators(settingsPath_));
    }
}

void ReaderWindow::closeEvent(QCloseEvent* event) {
    libraryPanel->flushNote();
    keepLastRead();
    keepPreferences();
    QWidget::closeEvent(event);
}

} // namespace velmor
