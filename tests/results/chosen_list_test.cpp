#include "chosen_list.h"

#include <QRandomGenerator>
#include <QSet>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

// A chosen list with a view that follows it only through its signals.
class ChosenListTest : public ::testing::Test {
protected:
    ChosenList chosen;
    QStringList view;
    int duplicates = 0;

    void SetUp() override {
        QObject::connect(&chosen, &ChosenList::added, [this](const QString& l) { view.append(l); });
        QObject::connect(&chosen, &ChosenList::removed, [this](int k) { view.removeAt(k); });
    }

    void add(
        int n, const std::function<void()>& yield = [] {}) {
        chosen.add(QString::number(n), n, false, yield, [this] { ++duplicates; });
    }

    void expectInvariants() {
        ASSERT_EQ(chosen.lines(), view);
        ASSERT_EQ(chosen.ids().size(), chosen.count());
        EXPECT_EQ(QSet<QString>(view.begin(), view.end()).size(), view.size()) << "line twice";
        for (qsizetype k = 0; k < chosen.count(); ++k) {
            EXPECT_EQ(QString::number(chosen.id(k)), chosen.line(k)); // added together
        }
    }
};

} // namespace

TEST_F(ChosenListTest, RandomAddsAndRemovesKeepLinesIdsAndViewAligned) {
    QRandomGenerator random(20261206);
    for (int step = 0; step < 2000; ++step) {
        if (random.bounded(3) != 0) {
            add(random.bounded(40));
        } else {
            chosen.remove(random.bounded(-2, 45));
        }
        expectInvariants();
    }
    EXPECT_GT(duplicates, 0);
}

TEST_F(ChosenListTest, ChangesDuringTheScanAreFollowed) {
    for (int i = 0; i < 10; ++i) {
        add(i);
    }
    // Each yield of the scan removes an entry; the scan must stop in time.
    add(100, [this] { chosen.remove(0); });
    expectInvariants();
    EXPECT_EQ(view.last(), QStringLiteral("100"));

    // The same line added by a second double-click during a yield.
    bool nested = false;
    add(200, [&] {
        if (!nested) {
            nested = true;
            add(200);
        }
    });
    expectInvariants();
    EXPECT_EQ(chosen.lines().count(QStringLiteral("200")), 1);
    EXPECT_EQ(duplicates, 1);
}

TEST_F(ChosenListTest, TheLineAddedIsTheOneGivenWhateverChangesDuringTheScan) {
    add(1);
    add(2);
    // The caller's line lives in rows that a search started during a yield
    // refills.
    QString rowLine = QStringLiteral("البقرة : 255");
    chosen.add(
        rowLine, 262, false, [&rowLine] { rowLine = QStringLiteral("الناس : 6"); }, [] {});
    EXPECT_EQ(chosen.line(2), QStringLiteral("البقرة : 255"));
    EXPECT_EQ(view.value(2), QStringLiteral("البقرة : 255"));
}
