#include "reader_window.h"

#include "fonts.h"
#include "message_box.h"
#include "result_set.h"
#include "text_boxes.h"
#include "window_parts.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
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
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

namespace velmor {

namespace {

QToolButton* stepButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& toolTip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(toolTip);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(toolTip);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(false);
    return button;
}

QFont sizedFont(double points) {
    QFont font = designedDisplayFont();
    font.setPointSizeF(points);
    return font;
}

QTextCharFormat background(const QColor& colour, const QColor& text = {}) {
    QTextCharFormat format;
    format.setBackground(colour);
    if (text.isValid()) {
        format.setForeground(text);
    }
    return format;
}

} // namespace

ReaderWindow::ReaderWindow(store::Store& store, const QString& connectionString,
                           QString settingsPath, QWidget* parent)
    : QWidget(parent, Qt::Window), settingsPath_(std::move(settingsPath)),
      preferences_(ReaderPreferences::load(settingsPath_)), session_(store, connectionString) {
    setObjectName(QStringLiteral("ReaderWindow"));
    setWindowTitle(QStringLiteral("القراءة - Velmor"));
    setWindowIcon(programIcon());
    setLayoutDirection(Qt::RightToLeft);
    setAccessibleName(QStringLiteral("نافذة القراءة"));
    buildControls();
    buildShortcuts();
    if (!preferences_.geometry.isEmpty()) {
        restoreGeometry(preferences_.geometry);
    }
    if (!preferences_.splitter.isEmpty()) {
        splitter->restoreState(preferences_.splitter);
    }
    applyTheme();
}

ReaderWindow::~ReaderWindow() = default;

QLayout* ReaderWindow::buildSteps() {
    auto* steps = new QHBoxLayout;
    const struct {
        const char* name;
        QString caption;
        QString tip;
        void (ReaderWindow::*step)();
    } stepControls[] = {
        {"previousSura", QStringLiteral("« السورة السابقة"),
         QStringLiteral("أول السورة السابقة (Ctrl+Shift+Up)"), &ReaderWindow::previousSura},
        {"previousPage", QStringLiteral("‹ الصفحة السابقة"),
         QStringLiteral("أول الصفحة السابقة (Ctrl+PgUp)"), &ReaderWindow::previousPage},
        {"previousAya", QStringLiteral("الآية السابقة"), QStringLiteral("الآية السابقة (Ctrl+Up)"),
         &ReaderWindow::previousAya},
        {"nextAya", QStringLiteral("الآية التالية"), QStringLiteral("الآية التالية (Ctrl+Down)"),
         &ReaderWindow::nextAya},
        {"nextPage", QStringLiteral("الصفحة التالية ›"),
         QStringLiteral("أول الصفحة التالية (Ctrl+PgDown)"), &ReaderWindow::nextPage},
        {"nextSura", QStringLiteral("السورة التالية »"),
         QStringLiteral("أول السورة التالية (Ctrl+Shift+Down)"), &ReaderWindow::nextSura},
    };
    for (const auto& control : stepControls) {
        QToolButton* button = stepButton(this, control.name, control.caption, control.tip);
        connect(button, &QToolButton::clicked, this, control.step);
        steps->addWidget(button);
    }
    steps->addStretch();
    return steps;
}

QLayout* ReaderWindow::buildChoices() {
    auto* choices = new QHBoxLayout;
    goToBox = new QLineEdit(this);
    goToBox->setObjectName(QStringLiteral("goToBox"));
    goToBox->setPlaceholderText(QStringLiteral("2:255 أو البقرة 255"));
    goToBox->setAccessibleName(QStringLiteral("اذهب إلى آية"));
    goToBox->setToolTip(QStringLiteral("اكتب مرجع آية ثم Enter (Ctrl+G)"));
    goToBox->setClearButtonEnabled(true);
    connect(goToBox, &QLineEdit::returnPressed, this, [this] { goTo(goToBox->text()); });
    QToolButton* go =
        stepButton(this, "go", QStringLiteral("اذهب"), QStringLiteral("اذهب إلى الآية المكتوبة"));
    connect(go, &QToolButton::clicked, this, [this] { goTo(goToBox->text()); });
    choices->addWidget(goToBox);
    choices->addWidget(go);
    choices->addSpacing(12);

    sourcePicker = new QComboBox(this);
    sourcePicker->setObjectName(QStringLiteral("sourcePicker"));
    sourcePicker->setAccessibleName(QStringLiteral("مصدر التفسير"));
    sourcePicker->setToolTip(QStringLiteral("مصدر التفسير"));
    for (const TafsirSource source : {TafsirSource::Muyassar, TafsirSource::Jalalayn}) {
        sourcePicker->addItem(tafsirTitle(source), QVariant::fromValue(static_cast<int>(source)));
    }
    sourcePicker->setCurrentIndex(static_cast<int>(preferences_.source));
    connect(sourcePicker, &QComboBox::activated, this,
            [this](int index) { setTafsirSource(static_cast<TafsirSource>(index)); });
    themePicker = new QComboBox(this);
    themePicker->setObjectName(QStringLiteral("themePicker"));
    themePicker->setAccessibleName(QStringLiteral("ألوان القراءة"));
    themePicker->setToolTip(QStringLiteral("ألوان القراءة"));
    for (const ReaderTheme theme : {ReaderTheme::Light, ReaderTheme::Sepia, ReaderTheme::Dark}) {
        themePicker->addItem(themeTitle(theme));
    }
    themePicker->setCurrentIndex(static_cast<int>(preferences_.theme));
    connect(themePicker, &QComboBox::activated, this,
            [this](int index) { setTheme(static_cast<ReaderTheme>(index)); });
    choices->addWidget(new QLabel(QStringLiteral("التفسير:"), this));
    choices->addWidget(sourcePicker);
    choices->addWidget(new QLabel(QStringLiteral("الألوان:"), this));
    choices->addWidget(themePicker);
    choices->addStretch();
    return choices;
}

QLayout* ReaderWindow::buildOptions() {
    auto* options = new QHBoxLayout;

    const struct {
        const char* name;
        QString caption;
        QString tip;
        bool tafsir;
        int steps;
    } sizeControls[] = {
        {"scriptureSmaller", QStringLiteral("الآيات أ−"),
         QStringLiteral("تصغير خط الآيات (Ctrl+-)"), false, -1},
        {"scriptureLarger", QStringLiteral("الآيات أ+"), QStringLiteral("تكبير خط الآيات (Ctrl+=)"),
         false, +1},
        {"tafsirSmaller", QStringLiteral("التفسير أ−"),
         QStringLiteral("تصغير خط التفسير (Ctrl+- في التفسير)"), true, -1},
        {"tafsirLarger", QStringLiteral("التفسير أ+"),
         QStringLiteral("تكبير خط التفسير (Ctrl+= في التفسير)"), true, +1},
    };
    for (const auto& control : sizeControls) {
        QToolButton* button = stepButton(this, control.name, control.caption, control.tip);
        const bool tafsir = control.tafsir;
        const int step = control.steps;
        connect(button, &QToolButton::clicked, this, [this, tafsir, step] {
            stepSize(tafsir ? static_cast<QWidget*>(tafsirPane) : scripture, step);
        });
        options->addWidget(button);
    }
    options->addStretch();
    tafsirToggle = stepButton(this, "tafsirToggle", QStringLiteral("التفسير"),
                              QStringLiteral("إظهار التفسير أو إخفاؤه (Ctrl+Shift+T)"));
    tafsirToggle->setCheckable(true);
    tafsirToggle->setChecked(true);
    options->addWidget(tafsirToggle);
    QToolButton* copy = stepButton(this, "copyAya", QStringLiteral("نسخ الآية"),
                                   QStringLiteral("نسخ الآية الحالية مع مرجعها (Ctrl+Shift+C)"));
    connect(copy, &QToolButton::clicked, this, &ReaderWindow::copyAya);
    plainCopy = new QCheckBox(QStringLiteral("بلا تشكيل"), this);
    plainCopy->setObjectName(QStringLiteral("plainCopy"));
    plainCopy->setAccessibleName(QStringLiteral("النسخ بلا تشكيل"));
    plainCopy->setToolTip(QStringLiteral("تنسخ الحروف كما هي دون الحركات والعلامات"));
    options->addWidget(copy);
    options->addWidget(plainCopy);
    return options;
}

void ReaderWindow::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);

    layout->addLayout(buildSteps());
    // Three short rows, so that the window still fits a small or scaled
    // screen.
    layout->addLayout(buildChoices());
    layout->addLayout(buildOptions());

    messageLine = new QLabel(this);
    messageLine->setObjectName(QStringLiteral("messageLine"));
    messageLine->setAccessibleName(QStringLiteral("رسالة"));
    messageLine->setWordWrap(true);
    messageLine->hide();
    layout->addWidget(messageLine);

    splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(true);
    // A plain text edit lays out only the pages in view, so a long sura
    // opens, steps and changes size within a frame.
    auto* textArea = new QWidget(splitter);
    auto* textLayout = new QVBoxLayout(textArea);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->setSpacing(0);
    suraHeader = new QLabel(textArea);
    suraHeader->setObjectName(QStringLiteral("suraHeader"));
    suraHeader->setAlignment(Qt::AlignCenter);
    suraHeader->setAutoFillBackground(true);
    suraHeader->setContentsMargins(0, 6, 0, 6);
    textLayout->addWidget(suraHeader);
    scripture = makeReadOnlyTextBox(textArea, "scripture", sizedFont(preferences_.scriptureSize),
                                    Qt::AlignJustify);
    scripture->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    scripture->setAccessibleName(QStringLiteral("نص السورة"));
    scripture->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scripture->setTabChangesFocus(true);
    scripture->document()->setDocumentMargin(14);
    scripture->document()->setUndoRedoEnabled(false);
    textLayout->addWidget(scripture, 1);
    tafsirPane = makeReadOnlyTextBox(splitter, "tafsirPane", sizedFont(preferences_.tafsirSize));
    tafsirPane->setAccessibleName(QStringLiteral("التفسير"));
    tafsirPane->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tafsirPane->document()->setDocumentMargin(10);
    setScriptureSize(preferences_.scriptureSize);
    splitter->addWidget(textArea);
    splitter->addWidget(tafsirPane);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    connect(tafsirToggle, &QToolButton::toggled, tafsirPane, &QWidget::setVisible);
    connect(splitter, &QSplitter::splitterMoved, this,
            [this] { tafsirToggle->setChecked(splitter->sizes().value(1) > 0); });

    placeLine = new QLabel(this);
    placeLine->setObjectName(QStringLiteral("placeLine"));
    placeLine->setAccessibleName(QStringLiteral("موضع الآية"));
    layout->addWidget(placeLine);

    for (QWidget* pane : {static_cast<QWidget*>(scripture), static_cast<QWidget*>(tafsirPane)}) {
        pane->installEventFilter(this);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(pane)) {
            area->viewport()->installEventFilter(this);
        }
    }
}

void ReaderWindow::buildShortcuts() {
    const auto bind = [this](const QKeySequence& keys, auto slot) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { nextAya(); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { previousAya(); });
    bind(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down), [this] { nextSura(); });
    bind(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up), [this] { previousSura(); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_PageDown), [this] { nextPage(); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_PageUp), [this] { previousPage(); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_G), [this] {
        goToBox->setFocus(Qt::ShortcutFocusReason);
        goToBox->selectAll();
    });
    bind(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [this] { copyAya(); });
    bind(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), [this] { tafsirToggle->toggle(); });
    // (The platform's zoom keys are these same ones; binding both would
    // make each key ambiguous.)
    for (const QKeySequence& larger :
         {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)}) {
        bind(larger, [this] { stepSize(focusedPane(), +1); });
    }
    bind(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { stepSize(focusedPane(), -1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { resetSize(focusedPane()); });
    bind(QKeySequence(Qt::Key_Escape), [this] { close(); });
}

void ReaderWindow::placeBeside(const QRect& mainWindow) {
    if (!preferences_.geometry.isEmpty()) {
        return; // where the reader left it
    }
    const QScreen* display = QApplication::screenAt(mainWindow.center());
    if (display == nullptr) {
        resize(760, 640);
        return;
    }
    // The side of the main window with more room, most of the screen's height.
    const QRect available = display->availableGeometry();
    const int left = mainWindow.left() - available.left();
    const int right = available.right() - mainWindow.right();
    const int width = std::min(std::clamp(std::max(left, right) - 16, 560, 900), available.width());
    const int height =
        std::min(std::max(480, available.height() * 9 / 10 - 40), available.height());
    resize(width, height);
    const int x = left >= right ? std::max(available.left(), mainWindow.left() - 8 - width)
                                : std::min(mainWindow.right() + 8, available.right() - width);
    move(x, available.top() + (available.height() - height) / 2);
}

void ReaderWindow::open(std::optional<qint64> id) {
    moveTo(id.value_or(preferences_.lastAya));
    if (session_.current() == 0) {
        moveTo(1); // the remembered aya is not in this database
    }
    say(session_.ready() ? QString() : QStringLiteral("تعذرت قراءة قاعدة البيانات، فلا نص لعرضه."));
    show();
    raise();
    activateWindow();
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
        showCurrent();
    }
    return moved;
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
    return messageLine->isHidden() ? QString() : messageLine->text();
}

void ReaderWindow::say(const QString& text) {
    messageLine->setText(text);
    messageLine->setVisible(!text.isEmpty());
}

void ReaderWindow::showSura() {
    const SuraText& sura = session_.sura();
    suraHeader->setText(sura.header);
    suraHeader->setAccessibleName(sura.header);
    scripture->setPlainText(sura.body);
    matchesMarked_ = false;
    markMatches();
}

void ReaderWindow::showCurrent() {
    markAyas();
    scrollToCurrent();
    showTafsir();
    const AyaPlace& place = session_.place();
    placeLine->setText(QStringLiteral("%1 · الصفحة %2 · الجزء %3")
                           .arg(resultLine(place.sura, place.aya), arabicIndicNumber(place.page),
                                arabicIndicNumber(place.juz)));
    preferences_.lastAya = session_.current();
}

void ReaderWindow::showTafsir() {
    tafsirPane->setPlainText(session_.tafsir(preferences_.source));
}

void ReaderWindow::markAyas() {
    // The current aya is tinted by an extra selection, which costs a layout
    // of its own stretch only; the matches are formats of the text itself,
    // laid out with each page as it comes into view. Inside the tint they
    // are marked again, over it.
    const ThemeColours colours = coloursOf(preferences_.theme);
    QList<QTextEdit::ExtraSelection> marks;
    const auto mark = [&](qsizetype start, qsizetype length, const QTextCharFormat& format) {
        marks.append(markedStretch(scripture->document(), start, length, format));
    };
    if (const SuraText::Placed* current = session_.sura().find(session_.current())) {
        const qsizetype end = current->markerStart + current->markerLength;
        mark(current->start, end - current->start, background(colours.currentAya));
        const QTextCharFormat matched = background(colours.match, colours.matchText);
        for (const MatchSpan& span : session_.matches()) {
            if (span.start >= current->start && span.start < end) {
                mark(span.start, span.length, matched);
            }
        }
    }
    scripture->setExtraSelections(marks);
}

void ReaderWindow::markMatches() {
    QTextDocument* document = scripture->document();
    QTextCursor stretch(document);
    stretch.beginEditBlock();
    if (matchesMarked_) {
        stretch.select(QTextCursor::Document);
        stretch.setCharFormat(QTextCharFormat());
    }
    const ThemeColours colours = coloursOf(preferences_.theme);
    const QTextCharFormat matched = background(colours.match, colours.matchText);
    for (const MatchSpan& span : session_.matches()) {
        stretch.setPosition(static_cast<int>(span.start));
        stretch.setPosition(static_cast<int>(span.start + span.length), QTextCursor::KeepAnchor);
        stretch.setCharFormat(matched);
    }
    stretch.endEditBlock();
    matchesMarked_ = !session_.matches().isEmpty();
}

void ReaderWindow::scrollToCurrent() {
    const SuraText::Placed* current = session_.sura().find(session_.current());
    if (current == nullptr) {
        return;
    }
    // The aya's end comes into view, then its start: a whole aya shows
    // whole, a long one from its beginning.
    QTextCursor cursor(scripture->document());
    cursor.setPosition(static_cast<int>(current->markerStart + current->markerLength));
    scripture->setTextCursor(cursor);
    scripture->ensureCursorVisible();
    cursor.setPosition(static_cast<int>(current->start));
    scripture->setTextCursor(cursor);
    scripture->ensureCursorVisible();
}

void ReaderWindow::setTafsirSource(TafsirSource source) {
    preferences_.source = source;
    sourcePicker->setCurrentIndex(static_cast<int>(source));
    showTafsir();
}

void ReaderWindow::setTheme(ReaderTheme theme) {
    preferences_.theme = theme;
    themePicker->setCurrentIndex(static_cast<int>(theme));
    applyTheme();
    markMatches();
    markAyas();
}

void ReaderWindow::applyTheme() {
    // The whole window takes the theme, so that night reading has no
    // bright frame around the text.
    const ThemeColours colours = coloursOf(preferences_.theme);
    QPalette palette = QApplication::palette();
    if (preferences_.theme != ReaderTheme::Light) {
        palette.setColor(QPalette::Window, colours.background);
        palette.setColor(QPalette::WindowText, colours.text);
        palette.setColor(QPalette::Button, colours.currentAya);
        palette.setColor(QPalette::ButtonText, colours.text);
        QColor placeholder = colours.text;
        placeholder.setAlphaF(0.6F);
        palette.setColor(QPalette::PlaceholderText, placeholder);
    }
    palette.setColor(QPalette::Base, colours.background);
    palette.setColor(QPalette::Text, colours.text);
    palette.setColor(QPalette::Highlight, colours.match);
    palette.setColor(QPalette::HighlightedText, colours.matchText);
    setPalette(palette);
    QPalette header = palette;
    header.setColor(QPalette::Window, colours.background);
    suraHeader->setPalette(header);
}

void ReaderWindow::setScriptureSize(double points) {
    preferences_.scriptureSize = steppedSize(points, 0);
    scripture->setFont(sizedFont(preferences_.scriptureSize));
    QFont header = sizedFont(preferences_.scriptureSize * 0.8);
    header.setBold(true);
    suraHeader->setFont(header);
    scrollToCurrent();
}

void ReaderWindow::setTafsirSize(double points) {
    preferences_.tafsirSize = steppedSize(points, 0);
    tafsirPane->setFont(sizedFont(preferences_.tafsirSize));
}

void ReaderWindow::stepSize(QWidget* pane, int steps) {
    if (pane == tafsirPane) {
        setTafsirSize(steppedSize(preferences_.tafsirSize, steps));
    } else {
        setScriptureSize(steppedSize(preferences_.scriptureSize, steps));
    }
}

void ReaderWindow::resetSize(QWidget* pane) {
    if (pane == tafsirPane) {
        setTafsirSize(ReaderPreferences::kTafsirSize);
    } else {
        setScriptureSize(ReaderPreferences::kScriptureSize);
    }
}

QWidget* ReaderWindow::focusedPane() const {
    const QWidget* focus = focusWidget();
    return focus != nullptr && (focus == tafsirPane || tafsirPane->isAncestorOf(focus))
               ? static_cast<QWidget*>(tafsirPane)
               : static_cast<QWidget*>(scripture);
}

void ReaderWindow::copyAya() {
    const QString text = session_.copyText(plainCopy->isChecked());
    if (!text.isEmpty()) {
        copyToClipboard(text);
    }
}

bool ReaderWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const bool onTafsir = watched == tafsirPane || watched == tafsirPane->viewport();
            const int steps = wheel->angleDelta().y() > 0 ? 1 : -1;
            if (wheel->angleDelta().y() != 0) {
                stepSize(onTafsir ? static_cast<QWidget*>(tafsirPane) : scripture, steps);
            }
            return true;
        }
    }
    // Copy in a pane copies what is selected there; with nothing selected,
    // the current aya with its reference, as the aya display's copy does.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool hasSelection = watched == scripture    ? scripture->textCursor().hasSelection()
                                  : watched == tafsirPane ? tafsirPane->textCursor().hasSelection()
                                                          : true;
        if (key->matches(QKeySequence::Copy) && !hasSelection) {
            if (event->type() == QEvent::KeyPress) {
                copyAya();
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
    preferences_.save(settingsPath_);
}

void ReaderWindow::closeEvent(QCloseEvent* event) {
    keepPreferences();
    QWidget::closeEvent(event);
}

} // namespace velmor
