#include "form1.h"
#include "form7.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

class FinderTest : public test::MainWindowTest {
protected:
    void SetUp() override { start(); }

    Form7& finder() {
        form->fullsearch->trigger();
        EXPECT_TRUE(form->form7);
        return *form->form7;
    }

    // Picks entry index of a box as the user does, from its list.
    static void pick(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
};

} // namespace

TEST_F(FinderTest, WindowAndBoxes) {
    Form7& window = finder();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("بحث عن سورة باسمها أو برقمها , بحث عن جزء كامل"));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    // One row, left to right: juz, sura number, sura name.
    EXPECT_LT(window.tafsercombo->x(), window.searchnumber->x());
    EXPECT_LT(window.searchnumber->x(), window.searchname->x());
    EXPECT_EQ(window.tafsercombo->y(), window.searchname->y());
    EXPECT_EQ(window.tafsercombo->currentText(), QStringLiteral("اختر رقم الجزء"));
    EXPECT_EQ(window.searchnumber->currentText(), QStringLiteral("اختر رقم السورة"));
    EXPECT_EQ(window.searchname->currentText(), QStringLiteral("اختر إسم السورة"));
    EXPECT_EQ(window.tafsercombo->count(), 30);
    EXPECT_EQ(window.tafsercombo->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(window.searchnumber->count(), 114);
    EXPECT_EQ(window.searchnumber->itemText(113), QStringLiteral("114"));
    EXPECT_EQ(window.searchname->count(), 114);
    EXPECT_EQ(window.searchname->itemText(73), QStringLiteral("المدثر"));
    EXPECT_EQ(window.searchname->itemText(49), QStringLiteral("قـ"));
    for (QComboBox* box : {window.tafsercombo, window.searchnumber, window.searchname}) {
        EXPECT_TRUE(box->isEditable());
        EXPECT_EQ(box->currentIndex(), -1);
    }
    // Tab order: name, number, juz.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.searchname->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.searchnumber);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.tafsercombo);
}

TEST_F(FinderTest, TheFirstSuraNameListsAlFatiha) {
    Form7& window = finder();
    pick(window.searchname, 0);
    EXPECT_FALSE(window.isVisible()); // hidden, not unloaded
    EXPECT_FALSE(form->form7.isNull());
    ASSERT_EQ(lines().size(), 7);
    for (int aya = 1; aya <= 7; ++aya) {
        EXPECT_EQ(lines()[aya - 1], QStringLiteral("الفاتحة : %1").arg(aya));
    }
    EXPECT_EQ(form->score->text(), QStringLiteral("7"));
    EXPECT_EQ(form->state.notonesura, 0);
    EXPECT_EQ(form->suraayaalist->currentRow(), 0);
    EXPECT_TRUE(form->Text1->toPlainText().endsWith(QStringLiteral(" (الفاتحة : 1 )")));
    EXPECT_EQ(form->Adodc1.recordSource(),
              QStringLiteral("SELECT *  FROM Ayat where Ayat.soraano like 1 order by ID"));
    EXPECT_TRUE(form->fullsearch->isEnabled());
    EXPECT_TRUE(form->allayaasearch->isEnabled());
}

TEST_F(FinderTest, NumberAndNameAtTheSamePositionListTheSame) {
    pick(finder().searchnumber, 101);
    const QStringList byNumber = lines();
    const QStringList ids = form->results.ayaalist();
    pick(finder().searchname, 101);
    EXPECT_EQ(lines(), byNumber);
    EXPECT_EQ(form->results.ayaalist(), ids);
    EXPECT_EQ(byNumber.size(), 8); // at-Takathur
}

TEST_F(FinderTest, AJuzListsOnlyThatJuzAndRefusesTheWholeSuraText) {
    pick(finder().tafsercombo, 29);
    ASSERT_EQ(form->results.count(), 564);
    for (const QString& juz : form->results.chapterNOlist()) {
        ASSERT_EQ(juz, QStringLiteral("30"));
    }
    const QStringList& ids = form->results.ayaalist();
    for (qsizetype i = 1; i < ids.size(); ++i) {
        ASSERT_LT(ids[i - 1].toInt(), ids[i].toInt());
    }
    EXPECT_EQ(lines().first(), QStringLiteral("النبأ : 1"));
    EXPECT_EQ(form->state.notonesura, 1);
    form->allayaa_Click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("إن نتائج البحث ليست لسورة واحدة")});
    EXPECT_TRUE(form->form5.isNull());

    pick(finder().searchname, 1);
    EXPECT_EQ(form->state.notonesura, 0);
    EXPECT_EQ(form->results.count(), 286);
}

TEST_F(FinderTest, TypingStartsNothing) {
    Form7& window = finder();
    const auto fills = form->results.latestFill();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.searchnumber->setFocus();
    window.searchnumber->lineEdit()->selectAll();
    QTest::keyClicks(window.searchnumber, QStringLiteral("12"));
    EXPECT_EQ(form->results.latestFill(), fills);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(form->suraayaalist->count(), 0);
}

TEST_F(FinderTest, AfterAPickTheSameWindowShowsAgainWithItsTexts) {
    Form7& window = finder();
    pick(window.searchname, 1);
    pick(window.tafsercombo, 2);
    Form7* first = form->form7;
    form->fullsearch_Click();
    EXPECT_EQ(form->form7, first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->searchname->currentText(), QStringLiteral("البقرة"));
    EXPECT_EQ(first->tafsercombo->currentText(), QStringLiteral("3"));

    // The close box unloads it; the next opening loads it afresh.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form->form7.isNull());
    EXPECT_EQ(finder().searchname->currentText(), QStringLiteral("اختر إسم السورة"));
}

TEST_F(FinderTest, ListsAreClearedBeforeTheWalkEvenAfterALongSearch) {
    form->searcht->setText(QStringLiteral("من"));
    form->search_Click();
    ASSERT_GT(form->results.count(), 1000);
    bool checked = false;
    // At the walk's first yield only the sura's first row may be there.
    QTimer::singleShot(0, form.get(), [&] {
        checked = true;
        EXPECT_LE(form->results.count(), 1);
        EXPECT_LE(form->suraayaalist->count(), 1);
        EXPECT_FALSE(form->fullsearch->isEnabled());
        EXPECT_FALSE(form->allayaasearch->isEnabled());
    });
    pick(finder().searchname, 0);
    EXPECT_TRUE(checked);
    EXPECT_EQ(form->results.count(), 7);
}

TEST_F(FinderTest, AFinderPickDuringASearchEndsAsOneCompleteResult) {
    form->searcht->setText(QStringLiteral("من"));
    Form7& window = finder();
    window.hide();
    QTimer::singleShot(0, form.get(), [&] { pick(window.searchname, 111); });
    form->search_Click();
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("الإخلاص : 1"), QStringLiteral("الإخلاص : 2"),
                                    QStringLiteral("الإخلاص : 3"), QStringLiteral("الإخلاص : 4")}));
    EXPECT_EQ(form->results.soraanolist().size(), 4);
    EXPECT_EQ(form->score->text(), QStringLiteral("4"));
    EXPECT_EQ(form->state.notonesura, 0);
}

TEST(FinderCommandLine, PrintsTheListingThenTheCount) {
    QProcess cli;
    cli.start(QStringLiteral(VELMOR_TEST_PROGRAM), {QStringLiteral("--juz"), QStringLiteral("30")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0);
    const QStringList printed =
        QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(printed.size(), 565);
    EXPECT_EQ(printed.first(), QStringLiteral("النبأ : 1"));
    EXPECT_EQ(printed[563], QStringLiteral("الناس : 6"));
    EXPECT_EQ(printed.last(), QStringLiteral("564"));

    QProcess sura;
    sura.start(QStringLiteral(VELMOR_TEST_PROGRAM),
               {QStringLiteral("--sura"), QStringLiteral("103")});
    ASSERT_TRUE(sura.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(sura.readAllStandardOutput()),
              QStringLiteral("العصر : 1\nالعصر : 2\nالعصر : 3\n3\n"));
}
