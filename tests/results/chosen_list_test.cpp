#include "chosen_list.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

class ChosenListTest : public ::testing::Test {
protected:
    QListWidget addaya;
    QStringList hideadd;
    ChosenList chosen{addaya, hideadd};
    int duplicates = 0;

    void add(
        const QString& line, const QString& id, const std::function<void()>& yield = [] {}) {
        chosen.add(line, id, false, yield, [this] { ++duplicates; });
    }

    void expectInvariants() {
        ASSERT_EQ(addaya.count(), hideadd.size());
        QSet<QString> lines;
        for (int k = 0; k < addaya.count(); ++k) {
            EXPECT_FALSE(lines.contains(addaya.item(k)->text())) << "line chosen twice";
            lines.insert(addaya.item(k)->text());
            // Each line's ID is the one it was added with.
            EXPECT_EQ(hideadd[k], QStringLiteral("id-") + addaya.item(k)->text());
        }
    }
};

} // namespace

TEST_F(ChosenListTest, RandomAddsAndRemovesKeepBothListsAligned) {
    QRandomGenerator random(20261206);
    for (int step = 0; step < 2000; ++step) {
        if (random.bounded(3) != 0) {
            const QString line = QString::number(random.bounded(40));
            add(line, QStringLiteral("id-") + line);
        } else {
            chosen.remove(static_cast<int>(random.bounded(-2, 45)));
        }
        expectInvariants();
    }
    EXPECT_GT(duplicates, 0);
}

TEST_F(ChosenListTest, AListChangedDuringTheScanIsNeverReadPastItsEnd) {
    for (int i = 0; i < 10; ++i) {
        add(QString::number(i), QStringLiteral("id-%1").arg(i));
    }
    // Each yield of the scan removes an entry; the scan must stop in time.
    add(QStringLiteral("new"), QStringLiteral("id-new"), [this] { chosen.remove(0); });
    expectInvariants();
    EXPECT_EQ(addaya.item(addaya.count() - 1)->text(), QStringLiteral("new"));
}

TEST_F(ChosenListTest, TheSameLineAddedDuringAYieldIsNotAddedTwice) {
    add(QStringLiteral("a"), QStringLiteral("id-a"));
    bool nested = false;
    add(QStringLiteral("b"), QStringLiteral("id-b"), [&] {
        if (!nested) {
            nested = true;
            add(QStringLiteral("b"), QStringLiteral("id-b")); // a second double-click
        }
    });
    expectInvariants();
    EXPECT_EQ(addaya.count(), 2);
    EXPECT_EQ(duplicates, 1);
}

TEST_F(ChosenListTest, NothingIsAddedOrSaidWhileTheDisplayIsEmpty) {
    add(QStringLiteral("a"), QStringLiteral("id-a"));
    chosen.add(
        QStringLiteral("a"), QStringLiteral("id-a"), true, [] {}, [this] { ++duplicates; });
    chosen.add(
        QStringLiteral("b"), QStringLiteral("id-b"), true, [] {}, [this] { ++duplicates; });
    EXPECT_EQ(addaya.count(), 1);
    EXPECT_EQ(duplicates, 0);
}
