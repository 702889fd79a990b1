#include "form1.h"
#include "form2.h"
#include "form6.h"
#include "main_window_fixture.h"
#include "tray_area.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

class Form1Test : public test::MainWindowTest {
protected:
    // Each secondary window opened as the user opens it.
    std::vector<std::function<void()>> openings() {
        return {
            [this] { form->about_Click(); },
            [this] { // the notes, over the about window
                form->about_Click();
                test::openWindow<Form2>()->Command2_Click();
            },
            [this] { form->update_Click(); },
            [this] { form->chosen_Click(); },
            [this] { form->option_Click(); },
            [this] { form->fullsearch_Click(); },
        };
    }
};

} // namespace

TEST_F(Form1Test, FirstViewIsEmptyCentredAndRunsNoQuery) {
    EXPECT_TRUE(form->Text1->toPlainText().isEmpty());
    EXPECT_FALSE(form->Text2->isVisible());
    EXPECT_TRUE(form->Adodc1.recordSource().isEmpty() && form->Adodc2.recordSource().isEmpty());
    // Centred on the screen, by its outer size (which settles by a few
    // pixels once the polished menu bar is laid out).
    const QRect screen = form->screen()->geometry();
    const QRect outer = form->frameGeometry();
    EXPECT_LE(std::abs(outer.center().x() - screen.center().x()), 4);
    EXPECT_LE(std::abs(outer.center().y() - screen.center().y()), 4);
}

TEST_F(Form1Test, TheTallWindowStaysOnTheScreen) {
    const QRect available = form->screen()->availableGeometry();
    // Near the bottom of the screen it moves up just enough.
    form->move(form->x(), available.bottom() - form->frameGeometry().height() - 10);
    const int before = form->y();
    form->tafser_Click();
    EXPECT_EQ(form->frameGeometry().bottom(), available.bottom());
    EXPECT_LT(form->y(), before); // moved, not shrunk
    // Where it fits, its top is kept.
    form->tafser_Click();
    form->move(form->x(), available.top() + 5);
    const int top = form->y();
    form->tafser_Click();
    EXPECT_EQ(form->y(), top);
}

TEST_F(Form1Test, TheTrayHidesAndBringsBackTheWindowUnchanged) {
    searchFor(QStringLiteral("الصمد"));
    form->min->trigger();
    EXPECT_FALSE(form->isVisible());
    // A single left click does nothing; a right click pops up the menu.
    emit form->t->icon().activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(form->isVisible());
    emit form->t->icon().activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(form->SHOW1->isVisible());
    form->SHOW1->close();
    // The activation (double click) or "show" brings the window back
    // unchanged, from the tray or minimized by the window manager.
    for (QAction* command :
         {static_cast<QAction*>(nullptr), form->max, static_cast<QAction*>(nullptr)}) {
        command ? command->trigger() : emit form->t->icon().activated(QSystemTrayIcon::DoubleClick);
        EXPECT_TRUE(form->isVisible() && !form->isMinimized());
        EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
        form->showMinimized();
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->isMinimized(); }));
    }
    EXPECT_FALSE(form->isShutDown());
}

// Each kind of damage is reported by the store (its own test); here, what
// the window does with a damaged file and with none.
TEST_F(Form1Test, AnUnusableDatabaseIsReportedOnceAndShowsNothing) {
    for (const bool damaged : {true, false}) {
        QFile::remove(folder.filePath(QStringLiteral("zarqen.zq")));
        QFile file(folder.filePath(QStringLiteral("zarqen.zq")));
        ASSERT_TRUE(!damaged ||
                    (file.open(QIODevice::WriteOnly) && file.write(QByteArray(8192, 'Z'))));
        file.close();
        messages.clear();
        start();
        searchFor(QStringLiteral("الله"));
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(folder.filePath(QStringLiteral("zarqen.zq"))));
        EXPECT_EQ(messageTitles.last(), applicationTitle());
        EXPECT_EQ(form->suraayaalist->count(), 0);
        EXPECT_EQ(form->score->text(), QStringLiteral("0"));
    }
    // Once the file is back, the same window finds again.
    QFile::remove(folder.filePath(QStringLiteral("zarqen.zq")));
    ASSERT_TRUE(QFile::link(QStringLiteral(VELMOR_TEST_DATABASE),
                            folder.filePath(QStringLiteral("zarqen.zq"))));
    searchFor(QStringLiteral("الصمد"));
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
}

TEST_F(Form1Test, ShutDownUnloadsTheWindowsInOrder) {
    qputenv("VELMOR_UPDATE_URL", "http://127.0.0.1:1/update2.5.txt");
    for (const auto& open : openings()) {
        open();
    }
    qunsetenv("VELMOR_UPDATE_URL");
    test::settle(); // the about window opened first was replaced
    QStringList closed;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != form.get() && window->objectName().startsWith(QStringLiteral("Form"))) {
            QObject::connect(window, &QObject::destroyed, form.get(),
                             [&closed, name = window->objectName()] { closed.append(name); });
        }
    }
    form->closeme->trigger();
    test::settle();
    EXPECT_EQ(closed, (QStringList{QStringLiteral("Form2"), QStringLiteral("Form3"),
                                   QStringLiteral("Form4"), QStringLiteral("Form5"),
                                   QStringLiteral("Form6"), QStringLiteral("Form7")}));
    EXPECT_TRUE(form->isShutDown());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->t->showIcon());
}

TEST_F(Form1Test, ClosingDuringALongWalkStopsIt) {
    searchFor(QStringLiteral("الصمد"));
    form->option_Click();
    test::openWindow<Form6>()->withother->setChecked(true);
    test::openWindow<Form6>()->Command1_Click();
    bool closedMidway = false;
    QTimer::singleShot(0, form.get(), [&] {
        closedMidway = form->results().count() < 100;
        form->close();
    });
    searchFor(QStringLiteral("ا"));
    EXPECT_TRUE(closedMidway);
    EXPECT_TRUE(form->isShutDown());
    // The walk stopped at its next step: no count, no selection.
    EXPECT_EQ(form->score->text(), QStringLiteral("1"));
}

TEST_F(Form1Test, EscapeClosesEverySecondaryWindowAsItsCloseBoxDoes) {
    qputenv("VELMOR_UPDATE_URL", "http://127.0.0.1:1/update2.5.txt");
    for (const auto& open : openings()) {
        open();
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->objectName().toStdString());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QPointer<QWidget> watched(window);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr && focus->window() == window ? focus : window,
                        Qt::Key_Escape);
        test::settle();
        EXPECT_TRUE(watched.isNull() || !watched->isVisible());
    }
    qunsetenv("VELMOR_UPDATE_URL");
    // The search options' Escape is its close button: the font is kept.
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("all.txt"))));
}

// Every action by keyboard: Enter on a result chooses it, Enter or Delete
// on a chosen aya removes it, F10 and Alt alone open the menus.
TEST_F(Form1Test, TheListsAndTheMenusAnswerTheKeyboard) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    searchFor(QStringLiteral("الصمد"));
    searchFor(QStringLiteral("الرحمن الرحيم"));
    form->suraayaalist->setFocus();
    for (const int row : {0, 1, 2}) {
        form->suraayaalist->setCurrentRow(row);
        QTest::keyClick(form->suraayaalist, Qt::Key_Return);
    }
    EXPECT_EQ(form->chosenList().count(), 3);
    EXPECT_EQ(form->score->text(), QString::number(form->results().count())); // no new search
    form->addaya->setFocus();
    form->addaya->setCurrentRow(0);
    QTest::keyClick(form->addaya, Qt::Key_Delete);
    form->addaya->setCurrentRow(0);
    QTest::keyClick(form->addaya, Qt::Key_Enter);
    EXPECT_EQ(form->chosenList().count(), 1);
    EXPECT_FALSE(form->suraayaalist->toolTip().isEmpty());
    EXPECT_FALSE(form->addaya->toolTip().isEmpty());

    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_F10, Qt::NoModifier}, std::pair{Qt::Key_Alt, Qt::AltModifier}}) {
        form->searcht->setFocus();
        QTest::keyPress(form->searcht, key, modifiers);
        QTest::keyRelease(form->searcht, key, modifiers);
        EXPECT_NE(form->menuBar()->activeAction(), nullptr) << key;
        QTest::keyClick(form->menuBar(), Qt::Key_Escape);
        QTest::keyClick(form->menuBar(), Qt::Key_Escape);
    }
}

TEST_F(Form1Test, MenuShortcutsWinOverTheTextBoxes) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    searchFor(QStringLiteral("الصمد"));
    form->searcht->setFocus();
    // Ctrl+A composes (here refused: the results are not one sura) instead
    // of selecting the text; Ctrl+T opens the search options.
    QTest::keyClick(form->searcht, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(messages, QStringList{QStringLiteral("إن نتائج البحث ليست لسورة واحدة")});
    EXPECT_FALSE(form->searcht->hasSelectedText());
    QTest::keyClick(form->searcht, Qt::Key_T, Qt::ControlModifier);
    ASSERT_NE(test::openWindow<Form6>(), nullptr);
    EXPECT_TRUE(test::openWindow<Form6>()->isVisible());
}
