// What a screen reader is told, read in-process through Qt's accessibility
// interfaces: values with their captions, and their changes; a caret in the
// texts a reader reads; the menu key giving the keyboard back; distinct
// names; windows named by their titles.
#include "accessibility_events.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"
#include "form6.h"
#include "long_text_box.h"
#include "main_window_fixture.h"
#include "reader_window.h"
#include "window_parts.h"
#include "windows.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBoundaryFinder>

using namespace velmor;

namespace {

QString nameOf(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face != nullptr ? face->text(QAccessible::Name) : QStringLiteral("<none>");
}

class ScreenReaderTest : public test::MainWindowTest {
protected:
    // The main window active, with the keyboard in its search box.
    [[nodiscard]] bool typingInTheSearchBox() {
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get())) {
            return false;
        }
        form->searcht->setFocus();
        return QTest::qWaitFor([&] { return form->searcht->hasFocus(); });
    }
};

} // namespace

TEST_F(ScreenReaderTest, ValuesAreSpokenWithTheirCaptionsAsTheyChange) {
    test::AccessibilityEvents events;
    ASSERT_TRUE(events.listening());
    searchFor(QStringLiteral("الصمد")); // 112:2 alone
    const std::pair<QLabel*, QString> spoken[] = {
        {form->pagenotext, QStringLiteral("رقم الصفحة: 604")},
        {form->chapterNOtext, QStringLiteral("الجزء: 30")},
        {form->typetext, QStringLiteral("التصنيف: ") + form->typetext->text()},
        {form->soraayanum, QStringLiteral("عدد آيات السورة: 4")},
        {form->score, QStringLiteral("عدد النتائج: 1")},
    };
    for (const auto& [label, name] : spoken) {
        EXPECT_EQ(nameOf(label), name);
        EXPECT_TRUE(events.sent(QAccessible::NameChanged, label)) << name.toStdString();
    }
    EXPECT_FALSE(form->typetext->text().isEmpty());
    // The designed captions on screen are as they were.
    EXPECT_EQ(form->pagenotext->text(), QStringLiteral("604"));
    EXPECT_EQ(form->Label4->text(), QStringLiteral("رقم الصفحة :"));

    form->reading_Click();
    ReaderWindow* reader = form->readerWindow();
    ASSERT_NE(reader, nullptr);
    events.clear();
    reader->goTo(QStringLiteral("2:255"));
    EXPECT_TRUE(nameOf(reader->placeLine).startsWith(QStringLiteral("موضع الآية: البقرة : 255")));
    EXPECT_TRUE(events.sent(QAccessible::NameChanged, reader->placeLine));
    events.clear();
    reader->goTo(QStringLiteral("2:300"));
    EXPECT_EQ(nameOf(reader->messageLine), QStringLiteral("رسالة: ") + reader->messageLine->text());
    EXPECT_TRUE(events.sent(QAccessible::NameChanged, reader->messageLine));
}

// Read-only, yet each takes the keyboard and moves a caret a screen reader
// follows: the aya display and tafsir, the reading window's panes, the
// compose window, the notes and the updates box.
TEST_F(ScreenReaderTest, TheTextsAReaderReadsTakeACaret) {
    searchFor(QStringLiteral("الصمد"));
    form->tafser_Click();
    form->reading_Click();
    ReaderWindow* reader = form->readerWindow();
    ASSERT_NE(reader, nullptr);
    form->suraayaalist_DblClick();
    form->chosen_Click();
    Form5* composed = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (composed = test::openWindow<Form5>()) && composed->isComposed(); }));
    Form3 notes;
    Form4 updates(QString(), [](const QString&, const QString&) {});
    const std::pair<QWidget*, QPlainTextEdit*> boxes[] = {
        {form.get(), form->Text1},    {form.get(), form->Text2},   {reader, reader->scripture},
        {reader, reader->tafsirPane}, {composed, composed->Text2}, {&notes, notes.Text2},
        {&updates, updates.Text1},
    };
    for (const auto& [window, box] : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        if (box->toPlainText().isEmpty()) {
            box->setPlainText(QStringLiteral("قُلْ هُوَ اللَّهُ أَحَدٌ"));
        }
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_NE(box->focusPolicy() & Qt::TabFocus, 0);
        box->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }));
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(box)->textInterface();
        ASSERT_NE(text, nullptr);
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(text->cursorPosition(), 0);
        // Two letters on, right to left, each with its marks.
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClick(box, Qt::Key_Left);
        QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, box->toPlainText());
        letters.toNextBoundary();
        EXPECT_EQ(text->cursorPosition(), letters.toNextBoundary());
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(text->selectionCount(), 1);
        // The text as stored; the compose window's as composed.
        const auto* composedBox = qobject_cast<LongTextBox*>(box);
        EXPECT_EQ(text->text(0, text->characterCount()),
                  composedBox != nullptr ? composedBox->text() : box->toPlainText());
    }
    composed->close();
}

TEST_F(ScreenReaderTest, EscapeFromTheMenusGivesTheKeyboardBack) {
    ASSERT_TRUE(typingInTheSearchBox());
    QTest::keyClick(form.get(), Qt::Key_F10);
    QMenuBar* bar = form->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->hasFocus(); }));
    EXPECT_NE(bar->activeAction(), nullptr);
    // Escape leaves the menus, and the keyboard is back in the search box.
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->searcht->hasFocus(); }));
    QTest::keyClick(form->searcht, Qt::Key_A);
    EXPECT_TRUE(form->searcht->text().endsWith(u'a'));
}

TEST_F(ScreenReaderTest, EveryPickerHasItsOwnNameAndEveryWindowItsTitle) {
    form->tools_Click();
    auto* options = test::openWindow<Form6>();
    ASSERT_NE(options, nullptr);
    // On Linux a combo box's own name is its text; the edit box inside it,
    // which has the keyboard, carries the name.
    QStringList names;
    for (QComboBox* picker : {options->sora, options->sora1, options->sora2, options->part,
                              options->part1, options->part2}) {
        names.append(nameOf(picker->lineEdit()));
        EXPECT_EQ(picker->accessibleName(), names.back());
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("السورة"), QStringLiteral("من السورة"),
                                  QStringLiteral("إلى السورة"), QStringLiteral("الجزء"),
                                  QStringLiteral("من الجزء"), QStringLiteral("إلى الجزء")}));
    // A window, not a nameless filler: the options window is modal.
    for (QWidget* window : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(options)}) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(window);
        ASSERT_NE(face, nullptr);
        EXPECT_NE(face->role(), QAccessible::Client);
        EXPECT_TRUE(face->role() == QAccessible::Window || face->role() == QAccessible::Dialog);
        EXPECT_EQ(face->text(QAccessible::Name), window->windowTitle());
    }
    options->close();
}

// Each outcome is said by the window's notification, which a screen reader
// speaks wherever the keyboard is.
TEST_F(ScreenReaderTest, OutcomesAreSaidWhereTheKeyboardIs) {
    test::AccessibilityEvents events;
    ASSERT_TRUE(events.listening());
    ASSERT_TRUE(typingInTheSearchBox());
    searchFor(QStringLiteral("الصمد"));
    EXPECT_EQ(announced(*form), QStringLiteral("عدد النتائج: ١"));
    QWidget* notice = form->findChild<QWidget*>(QStringLiteral("announcer"));
    ASSERT_NE(notice, nullptr);
    // Shown each time it says something, which is when a reader speaks it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return events.sent(QAccessible::ObjectShow, notice); }));
    events.clear();
    searchFor(QStringLiteral("كلمةليستفيه"));
    EXPECT_EQ(announced(*form), QStringLiteral("لا توجد نتائج"));
    EXPECT_TRUE(events.sent(QAccessible::ObjectShow, notice));

    searchFor(QStringLiteral("الصمد"));
    form->suraayaalist->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->suraayaalist->hasFocus(); }));
    form->suraayaalist_DblClick();
    EXPECT_EQ(announced(*form), QStringLiteral("أضيفت الإخلاص : 2، والآيات المختارة الآن ١"));
    form->addaya->setFocus();
    form->addaya->setCurrentRow(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->addaya->hasFocus(); }));
    form->addaya_DblClick();
    EXPECT_EQ(announced(*form), QStringLiteral("حذفت الإخلاص : 2، والآيات المختارة الآن ٠"));

    // The reading window's steps say the new aya whole; a reference that
    // does not exist is said in the go-to box.
    form->reading_Click();
    ReaderWindow* reader = form->readerWindow();
    ASSERT_NE(reader, nullptr);
    reader->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(reader));
    reader->goTo(QStringLiteral("112:1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader->scripture->hasFocus(); }));
    QTest::keyClick(reader->scripture, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(announced(*reader), QStringLiteral("الإخلاص : 2، ") + reader->session().ayaText());
    reader->goToBox->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader->goToBox->hasFocus(); }));
    EXPECT_FALSE(reader->goTo(QStringLiteral("112:9")));
    EXPECT_EQ(announced(*reader), reader->message());
    EXPECT_FALSE(reader->message().isEmpty());
    // The notification is one, of its window, and a notification to a
    // screen reader.
    QWidget* announcer = reader->findChild<QWidget*>(QStringLiteral("announcer"));
    ASSERT_NE(announcer, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(announcer)->role(), QAccessible::Notification);
    EXPECT_EQ(nameOf(announcer), reader->message());
}

// A search leaves the keyboard in the search box and selects the first
// result; the list may not tell a screen reader it has the focus until the
// keyboard is in it.
TEST_F(ScreenReaderTest, TheResultsListClaimsTheFocusOnlyWithTheKeyboard) {
    test::AccessibilityEvents events;
    ASSERT_TRUE(events.listening());
    ASSERT_TRUE(typingInTheSearchBox());
    QListWidget* list = form->suraayaalist;
    for (const QString& word : {QStringLiteral("موسى"), QStringLiteral("الصمد")}) {
        events.clear();
        searchFor(word);
        ASSERT_GT(list->count(), 0);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_TRUE(form->searcht->hasFocus());
        EXPECT_FALSE(events.sent(QAccessible::Focus, list)) << word.toStdString();
    }
    // With the keyboard in it, each step is told.
    searchFor(QStringLiteral("موسى"));
    list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); }));
    events.clear();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(events.sent(QAccessible::Focus, list));
}

// The compose window's text as composed, without the line breaks its box
// puts in to show a long paragraph a screenful at a time.
TEST_F(ScreenReaderTest, TheComposedTextIsReadWithoutTheBoxsBreaks) {
    searchFor(QStringLiteral("الله لا إله إلا هو الحي القيوم"));
    form->allayaasearch_Click();
    form->allayaa_Click(); // the whole of sura 2
    Form5* composed = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (composed = test::openWindow<Form5>()) && composed->isComposed(); }, 10000));
    LongTextBox* box = composed->Text2;
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->isComplete(); }, 10000));
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(box)->textInterface();
    ASSERT_NE(text, nullptr);
    const QString read = text->text(0, text->characterCount());
    EXPECT_EQ(read, box->text());
    EXPECT_EQ(read.count(u'\n'), box->text().count(u'\n'));
    // The box itself holds a line end for each line it shows.
    EXPECT_GT(box->toPlainText().count(u'\n'), read.count(u'\n') + 300);
    // The caret is told at its place in the text given.
    const QTextBlock deep = box->document()->findBlockByNumber(200);
    QTextCursor cursor(deep);
    box->setTextCursor(cursor);
    EXPECT_EQ(text->cursorPosition(), box->textPosition(deep.position()));
    EXPECT_EQ(read.mid(text->cursorPosition(), 20), deep.text().left(20));
    composed->close();
}
