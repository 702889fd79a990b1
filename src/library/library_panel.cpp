#include "library_panel.h"

#include "message_box.h"
#include "result_set.h"
#include "text_boxes.h"

#include <QBoxLayout>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextOption>
#include <QToolButton>

namespace velmor {

namespace {

QToolButton* panelButton(QWidget* parent, const char* name, const QString& caption,
                         const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(tip);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(tip);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QListView* listView(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* list = new QListView(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(accessibleName);
    list->setUniformItemSizes(true); // the first screen lays out only what it shows
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setLayoutDirection(Qt::RightToLeft);
    return list;
}

} // namespace

LibraryPanel::LibraryPanel(QWidget* parent) : QWidget(parent) {
    confirm = [this](const QString& question) {
        return QMessageBox::question(this, applicationTitle(), question,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    chooseFile = [this](bool saving, const QString& title, const QString& filter) {
        return saving ? QFileDialog::getSaveFileName(this, title, {}, filter)
                      : QFileDialog::getOpenFileName(this, title, {}, filter);
    };
    setObjectName(QStringLiteral("libraryPanel"));
    setAccessibleName(QStringLiteral("المكتبة"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buildButtons());
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("libraryTabs"));
    tabs->addTab(buildBookmarks(), QStringLiteral("العلامات"));
    tabs->addTab(buildNotes(), QStringLiteral("الملاحظات"));
    tabs->addTab(buildHistory(), QStringLiteral("السجل"));
    layout->addWidget(tabs, 1);
    messageLine = new QLabel(this);
    messageLine->setObjectName(QStringLiteral("libraryMessage"));
    messageLine->setAccessibleName(QStringLiteral("رسالة المكتبة"));
    messageLine->setWordWrap(true);
    layout->addWidget(messageLine);
    autosave_ = std::make_unique<library::NoteAutosave>(
        [this](AyaRef aya, const QString& text) {
            return library_ != nullptr
                       ? library_->setNote(aya, text)
                       : Done::failed(QStringLiteral("المكتبة غير متاحة، فلم تحفظ الملاحظة."));
        },
        this);
    connect(autosave_.get(), &library::NoteAutosave::failed, this, &LibraryPanel::say);
    connect(autosave_.get(), &library::NoteAutosave::saved, this, [this] {
        say({});
        notes.reset(library_->notes().value_or({}));
        emit marksChanged();
    });
    enableLibraryParts(false);
}

void LibraryPanel::enableLibraryParts(bool enabled) {
    // Only the library's own parts: a tab another feature adds stays usable.
    for (QWidget* part : std::initializer_list<QWidget*>{continueButton, bookmarkButton, noteButton,
                                                         libraryMenuButton, tabs->widget(0),
                                                         tabs->widget(1), tabs->widget(2)}) {
        part->setEnabled(enabled);
    }
}

LibraryPanel::~LibraryPanel() {
    flushNote();
}

QLayout* LibraryPanel::buildButtons() {
    auto* row = new QHBoxLayout;
    continueButton = panelButton(this, "continueReading", QStringLiteral("متابعة القراءة"),
                                 QStringLiteral("العودة إلى آخر آية قرئت"));
    bookmarkButton = panelButton(this, "bookmarkAya", QStringLiteral("علامة"),
                                 QStringLiteral("وضع علامة على الآية الحالية أو إزالتها (Ctrl+D)"));
    noteButton = panelButton(this, "editNote", QStringLiteral("ملاحظة"),
                             QStringLiteral("كتابة ملاحظة على الآية الحالية (Ctrl+E)"));
    libraryMenuButton = panelButton(this, "libraryMenu", QStringLiteral("المكتبة"),
                                    QStringLiteral("تصدير المكتبة واستيرادها"));
    libraryMenuButton->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(libraryMenuButton);
    menu->addAction(QStringLiteral("تصدير المكتبة…"), this, &LibraryPanel::exportLibrary);
    menu->addAction(QStringLiteral("استيراد مكتبة…"), this, &LibraryPanel::importLibrary);
    menu->addAction(QStringLiteral("تصدير الملاحظات بصيغة Markdown…"), this,
                    &LibraryPanel::exportNotes);
    libraryMenuButton->setMenu(menu);
    connect(continueButton, &QToolButton::clicked, this, &LibraryPanel::continueReading);
    connect(bookmarkButton, &QToolButton::clicked, this, &LibraryPanel::toggleBookmark);
    connect(noteButton, &QToolButton::clicked, this, &LibraryPanel::editNote);
    for (QToolButton* button : {continueButton, bookmarkButton, noteButton, libraryMenuButton}) {
        row->addWidget(button);
    }
    row->addStretch();
    return row;
}

QWidget* LibraryPanel::buildBookmarks() {
    bookmarkList = listView(this, "bookmarkList", QStringLiteral("العلامات"));
    bookmarkList->setModel(&bookmarks);
    bookmarkList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bookmarkList, &QListView::activated, this, &LibraryPanel::choose);
    connect(bookmarkList, &QListView::customContextMenuRequested, this,
            &LibraryPanel::bookmarkMenu);
    return bookmarkList;
}

QWidget* LibraryPanel::buildNotes() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    noteFilter = new QLineEdit(page);
    noteFilter->setObjectName(QStringLiteral("noteFilter"));
    noteFilter->setPlaceholderText(QStringLiteral("تصفية الملاحظات"));
    noteFilter->setAccessibleName(QStringLiteral("تصفية الملاحظات"));
    noteFilter->setClearButtonEnabled(true);
    connect(noteFilter, &QLineEdit::textChanged, this,
            [this](const QString& text) { notes.setFilter(text); });
    noteList = listView(page, "noteList", QStringLiteral("الملاحظات"));
    noteList->setModel(&notes);
    connect(noteList, &QListView::activated, this, &LibraryPanel::choose);
    noteTitle = new QLabel(page);
    noteTitle->setObjectName(QStringLiteral("noteTitle"));
    noteEditor = new QPlainTextEdit(page);
    noteEditor->setObjectName(QStringLiteral("noteEditor"));
    noteEditor->setAccessibleName(QStringLiteral("ملاحظة الآية الحالية"));
    noteEditor->setTabChangesFocus(true);
    noteEditor->setLayoutDirection(Qt::RightToLeft);
    QTextOption option = noteEditor->document()->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    noteEditor->document()->setDefaultTextOption(option);
    noteTitle->setBuddy(noteEditor);
    connect(noteEditor, &QPlainTextEdit::textChanged, this, [this] {
        if (!loadingNote_) {
            autosave_->edited(current_, noteEditor->toPlainText());
        }
    });
    layout->addWidget(noteFilter);
    layout->addWidget(noteList, 2);
    layout->addWidget(noteTitle);
    layout->addWidget(noteEditor, 1);
    return page;
}

QWidget* LibraryPanel::buildHistory() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    historyList = listView(page, "historyList", QStringLiteral("البحوث الأخيرة"));
    historyList->setModel(&history);
    connect(historyList, &QListView::activated, this, &LibraryPanel::choose);
    clearHistoryButton = panelButton(page, "clearHistory", QStringLiteral("مسح السجل"),
                                     QStringLiteral("مسح البحوث الأخيرة كلها"));
    connect(clearHistoryButton, &QToolButton::clicked, this, &LibraryPanel::clearHistory);
    layout->addWidget(historyList, 1);
    layout->addWidget(clearHistoryButton, 0, Qt::AlignLeading);
    return page;
}

void LibraryPanel::setLibrary(library::Library* library, const QString& notice) {
    flushNote();
    library_ = library;
    enableLibraryParts(library_ != nullptr);
    say(notice);
    reload();
}

void LibraryPanel::reload() {
    if (library_ == nullptr) {
        bookmarks.reset({}, {});
        notes.reset({});
        history.reset({});
        return;
    }
    const auto collections = library_->collections();
    const auto marks = library_->bookmarks();
    const auto kept = library_->notes();
    const auto searches = library_->history();
    if (!collections || !marks || !kept || !searches) {
        say(QStringLiteral("تعذرت قراءة المكتبة: ") + collections.reason() + marks.reason() +
            kept.reason() + searches.reason());
        return;
    }
    bookmarks.reset(*collections, *marks);
    notes.reset(*kept);
    history.reset(*searches);
    if (!autosave_->waiting()) {
        showNote();
    }
}

void LibraryPanel::setCurrentAya(AyaRef aya) {
    if (aya == current_) {
        return;
    }
    flushNote();
    current_ = aya;
    showNote();
}

void LibraryPanel::showNote() {
    noteTitle->setText(QStringLiteral("ملاحظة الآية ") + resultLine(current_.sura, current_.aya));
    const auto note = library_ != nullptr ? library_->note(current_)
                                          : Outcome<std::optional<library::Note>>(std::nullopt);
    const QString text = note && *note ? (*note)->text : QString();
    if (text != noteEditor->toPlainText()) {
        loadingNote_ = true;
        noteEditor->setPlainText(text);
        loadingNote_ = false;
    }
}

void LibraryPanel::flushNote() {
    if (autosave_) {
        (void)autosave_->flush(); // a failure is said by the autosave's signal
    }
}

void LibraryPanel::toggleBookmark() {
    if (library_ == nullptr) {
        say(QStringLiteral("المكتبة غير متاحة في هذه الجلسة."));
        return;
    }
    const Outcome<bool> marked = library_->toggleBookmark(current_);
    if (!marked) {
        say(marked.reason());
        return;
    }
    const QString collection = library_->lastCollection().value_or({});
    say((*marked ? QStringLiteral("وضعت علامة على الآية %1 في «%2»")
                 : QStringLiteral("أزيلت علامة الآية %1 من «%2»"))
            .arg(resultLine(current_.sura, current_.aya), collection));
    reload();
    emit marksChanged();
}

void LibraryPanel::editNote() {
    tabs->setCurrentIndex(1);
    showNote();
    noteEditor->setFocus(Qt::ShortcutFocusReason);
    noteEditor->moveCursor(QTextCursor::End);
}

QString LibraryPanel::message() const {
    return messageLine->text();
}

void LibraryPanel::say(const QString& text) {
    messageLine->setText(text);
}

bool LibraryPanel::sayFailure(const Done& result) {
    if (!result) {
        say(result.reason());
        return true;
    }
    say({});
    return false;
}

void LibraryPanel::choose(const QModelIndex& index) {
    if (index.model() == &history) {
        if (const library::RecentSearch* search = history.at(index.row())) {
            emit searchChosen(*search);
        }
        return;
    }
    const int key = index.data(library::AyaRole).toInt();
    if (key != 0) {
        emit ayaChosen(library::ayaOfKey(key));
    }
}

void LibraryPanel::clearHistory() {
    if (library_ == nullptr || history.rowCount() == 0) {
        return;
    }
    if (confirm(QStringLiteral("أتمسح البحوث الأخيرة كلها؟")) &&
        !sayFailure(library_->clearHistory())) {
        reload();
    }
}

} // namespace velmor
