// The reading window's controls: three short rows above the text (so that
// the window still fits a small or scaled screen), the text and its tafsir
// below a splitter, the place line, and the keys.
#include "pane_zoom.h"
#include "reader_look.h"
#include "reader_window.h"
#include "scripture_view.h"
#include "text_boxes.h"
#include "window_parts.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>

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

// A picker of one of the values, each under its title, the chosen one
// shown; each item's data is its value as a number.
template <typename Value>
QComboBox* picker(QWidget* parent, const char* name, const QString& title,
                  std::initializer_list<Value> values, QString (*titleOf)(Value), Value chosen) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(title);
    box->setToolTip(title);
    for (const Value value : values) {
        box->addItem(titleOf(value), QVariant::fromValue(static_cast<int>(value)));
    }
    box->setCurrentIndex(box->findData(QVariant::fromValue(static_cast<int>(chosen))));
    return box;
}

} // namespace

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

    sourcePicker =
        picker(this, "sourcePicker", QStringLiteral("مصدر التفسير"),
               {TafsirSource::Muyassar, TafsirSource::Jalalayn}, tafsirTitle, preferences_.source);
    connect(sourcePicker, &QComboBox::activated, this, [this](int index) {
        setTafsirSource(static_cast<TafsirSource>(sourcePicker->itemData(index).toInt()));
    });
    themePicker = picker(this, "themePicker", QStringLiteral("ألوان القراءة"),
                         {ReaderTheme::Light, ReaderTheme::Sepia, ReaderTheme::Dark}, themeTitle,
                         preferences_.theme);
    connect(themePicker, &QComboBox::activated, this, [this](int index) {
        setTheme(static_cast<ReaderTheme>(themePicker->itemData(index).toInt()));
    });
    scriptPicker = picker(this, "scriptPicker", QStringLiteral("رسم النص"),
                          {Script::Simple, Script::Uthmani}, scriptTitle, preferences_.script);
    scriptPicker->setToolTip(QStringLiteral("رسم النص: الإملائي أو العثماني كما في المصحف"));
    connect(scriptPicker, &QComboBox::activated, this, [this](int index) {
        setScript(static_cast<Script>(scriptPicker->itemData(index).toInt()));
    });
    bothTafsirs = new QCheckBox(QStringLiteral("التفسيران معًا"), this);
    bothTafsirs->setObjectName(QStringLiteral("bothTafsirs"));
    bothTafsirs->setAccessibleName(QStringLiteral("التفسيران معًا"));
    bothTafsirs->setToolTip(QStringLiteral("التفسير الميسر وتفسير الجلالين جنبًا إلى جنب"));
    connect(bothTafsirs, &QCheckBox::toggled, this, &ReaderWindow::setBothTafsirs);
    choices->addWidget(new QLabel(QStringLiteral("التفسير:"), this));
    choices->addWidget(sourcePicker);

    choices->addWidget(new QLabel(QStringLiteral("الألوان:"), this));
    choices->addWidget(themePicker);
    choices->addWidget(scriptPicker);
    reciteToggle = stepButton(this, "reciteToggle", QStringLiteral("التسميع"),
                              QStringLiteral("إخفاء النص من الآية الحالية وإظهاره كلمة كلمة "
                                             "(Ctrl+Shift+R)"));
    reciteToggle->setCheckable(true);
    choices->addWidget(reciteToggle);
    choices->addWidget(buildShare());
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
    options->addWidget(bothTafsirs);
    panelToggle = stepButton(this, "panelToggle", QStringLiteral("المكتبة"),
                             QStringLiteral("إظهار العلامات والملاحظات والسجل أو إخفاؤها "
                                            "(Ctrl+Shift+L)"));
    panelToggle->setCheckable(true);
    options->addWidget(panelToggle);
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

    // The message line has a place of its own, one line high, so that a
    // message neither pushes the text down nor widens the window.
    messageLine = new QLabel(this);
    messageLine->setObjectName(QStringLiteral("messageLine"));
    setSpokenCaption(*messageLine, QStringLiteral("رسالة"));
    messageLine->setWordWrap(false);
    messageLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    messageLine->setFixedHeight(messageLine->fontMetrics().height() + 4);
    layout->addWidget(messageLine);
    layout->addWidget(buildReciteBar());

    layout->addWidget(buildSide(), 1);

    placeLine = new QLabel(this);
    placeLine->setObjectName(QStringLiteral("placeLine"));
    setSpokenCaption(*placeLine, QStringLiteral("موضع الآية"));
    layout->addWidget(placeLine);

    zoom_ = new PaneZoom(this, [this](QWidget* pane, int steps) { stepSize(pane, steps); });
    for (QPlainTextEdit* pane :
         {static_cast<QPlainTextEdit*>(scripture), tafsirPane, otherTafsirPane}) {
        zoom_->watch(pane);
        pane->installEventFilter(this);
    }
}

QWidget* ReaderWindow::buildSplit() {
    splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(true);
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
    scripture = new ScriptureView(textArea);
    prepareReadOnlyTextBox(*scripture, "scripture", readerFont(preferences_.scriptureSize),
                           Qt::AlignJustify);
    connect(scripture, &ScriptureView::positionChosen, this, &ReaderWindow::chooseAt);
    scripture->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    scripture->setAccessibleName(QStringLiteral("نص السورة"));
    scripture->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scripture->setTabChangesFocus(true);
    scripture->document()->setDocumentMargin(14);
    scripture->document()->setUndoRedoEnabled(false);
    textLayout->addWidget(scripture, 1);
    // The tafsir chosen, and beside it (when both are asked for) the other.
    tafsirSplit = new QSplitter(Qt::Horizontal, splitter);
    tafsirSplit->setObjectName(QStringLiteral("tafsirSplit"));
    tafsirSplit->setChildrenCollapsible(false);
    tafsirPane =
        makeReadOnlyTextBox(tafsirSplit, "tafsirPane", readerFont(preferences_.tafsirSize));
    tafsirPane->setAccessibleName(QStringLiteral("التفسير"));
    otherTafsirPane = makeReadOnlyTextBox(tafsirSplit, "otherTafsirPane",
                                          readerFont(preferences_.otherTafsirSize));
    otherTafsirPane->setAccessibleName(QStringLiteral("التفسير الآخر"));
    for (QPlainTextEdit* pane : {tafsirPane, otherTafsirPane}) {
        pane->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        pane->document()->setDocumentMargin(10);
        tafsirSplit->addWidget(pane);
    }
    otherTafsirPane->setVisible(preferences_.bothTafsirs);
    bothTafsirs->setChecked(preferences_.bothTafsirs);
    setScriptureSize(preferences_.scriptureSize);
    splitter->addWidget(textArea);
    splitter->addWidget(tafsirSplit);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    connect(tafsirToggle, &QToolButton::toggled, this, &ReaderWindow::showTafsirPane);
    // A pane dragged shut is shown shut, and the toggle opens it again.
    connect(splitter, &QSplitter::splitterMoved, this, [this] {
        const bool shown = splitter->sizes().value(1) > 0;
        if (shown) {
            tafsirShownSizes_ = splitter->sizes();
        }
        const QSignalBlocker quiet(tafsirToggle);
        tafsirToggle->setChecked(shown);
    });
    return splitter;
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
    bind(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { openPrint(); });
    bindLibraryKeys();
    bindReciteKeys();
}

} // namespace velmor
