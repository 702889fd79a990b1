#include "form1.h"
#include "form7.h"
#include "main_window_fixture.h"
#include "run_program.h"
#include "scripture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

class FinderTest : public test::MainWindowTest {
protected:
    Form7& finder() {
        form->fullsearch->trigger();
        Form7* window = test::openWindow<Form7>();
        EXPECT_NE(window, nullptr);
        return *window;
    }

    // Picks entry index of a box as the user does, from its list.
    static void pick(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // The IDs of every aya the metadata package places in the sura or juz.
    static QList<qint64> idsWhere(const std::function<bool(const test::AyaPlace&)>& in) {
        return test::referenceSearch(QString(), false, in);
    }
};

} // namespace

TEST_F(FinderTest, EachPickListsTheWholeSuraOrJuzInOrder) {
    struct Pick {
        QComboBox* Form7::*box;
        int index;
        std::function<bool(const test::AyaPlace&)> in;
        qint16 notOneSura;
    };
    const std::vector<Pick> picks{
        {&Form7::searchname, 0, [](const test::AyaPlace& p) { return p.sura == 1; }, 0},
        {&Form7::searchname, 101, [](const test::AyaPlace& p) { return p.sura == 102; }, 0},
        {&Form7::searchnumber, 101, [](const test::AyaPlace& p) { return p.sura == 102; }, 0},
        {&Form7::searchnumber, 113, [](const test::AyaPlace& p) { return p.sura == 114; }, 0},
        {&Form7::tafsercombo, 0, [](const test::AyaPlace& p) { return p.juz == 1; }, 1},
        {&Form7::tafsercombo, 29, [](const test::AyaPlace& p) { return p.juz == 30; }, 1},
    };
    Form7* const first = &finder();
    for (const Pick& p : picks) {
        Form7& window = finder();
        EXPECT_EQ(&window, first); // hidden after a pick, not unloaded
        pick(window.*p.box, p.index);
        SCOPED_TRACE((window.*p.box)->currentText().toStdString());
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(resultIds(), idsWhere(p.in));
        EXPECT_EQ(form->score->text(), QString::number(form->results().count()));
        EXPECT_EQ(form->session().notOneSura(), p.notOneSura);
    }
    // After a juz the whole-sura text is refused.
    form->allayaa_Click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("إن نتائج البحث ليست لسورة واحدة")});
}

TEST_F(FinderTest, TypingStartsNothingAndTheCloseBoxUnloads) {
    Form7& window = finder();
    const auto fills = form->results().latestFill();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.searchnumber->setFocus();
    window.searchnumber->lineEdit()->selectAll();
    QTest::keyClicks(window.searchnumber, QStringLiteral("12"));
    EXPECT_EQ(form->results().latestFill(), fills);
    EXPECT_TRUE(window.isVisible());
    window.close();
    test::settle();
    EXPECT_EQ(test::openWindow<Form7>(), nullptr);
    EXPECT_EQ(finder().searchnumber->currentIndex(), -1); // loaded afresh
}

TEST_F(FinderTest, APickDuringALongSearchEndsAsOneCompleteResult) {
    form->searcht->setText(QStringLiteral("من"));
    Form7& window = finder();
    window.hide();
    bool checked = false;
    // At the search's first yield the finder lists al-Ikhlas; while that
    // walk runs the listing commands are disabled.
    QTimer::singleShot(0, form.get(), [&] {
        QTimer::singleShot(0, form.get(), [&] {
            checked = !form->fullsearch->isEnabled() && !form->allayaasearch->isEnabled();
        });
        pick(window.searchname, 111);
    });
    form->search_Click();
    EXPECT_TRUE(checked);
    EXPECT_EQ(resultIds(), (QList<qint64>{6222, 6223, 6224, 6225}));
    EXPECT_EQ(lines().size(), 4); // no line of the superseded walk
    EXPECT_EQ(form->score->text(), QStringLiteral("4"));
    EXPECT_EQ(form->session().notOneSura(), 0);
}

TEST(FinderCommandLine, PrintsTheListingThenTheCount) {
    EXPECT_EQ(test::runVelmor({QStringLiteral("--sura"), QStringLiteral("103")}).out,
              QStringLiteral("العصر : 1\nالعصر : 2\nالعصر : 3\n3\n").toUtf8());
    EXPECT_EQ(test::runVelmor({QStringLiteral("--juz"), QStringLiteral("30")}).lines().size(), 565);
}
