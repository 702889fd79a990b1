// What a probe of the reading window found: a message that widened the
// window and pushed the text, a pane that could not be reopened, zoom that
// jumped sizes, a click that did not choose an aya, the plain copy, a save
// that failed in silence.
#include "reader_fixture.h"
#include "scripture.h"
#include "sura_text.h"

#include <QCheckBox>
#include <QClipboard>
#include <QScreen>
#include <QSplitter>
#include <QTextBlock>
#include <QToolButton>
#include <QWheelEvent>

using namespace velmor;

TEST_F(ReaderWindowTest, AMessageNeitherWidensTheWindowNorMovesTheText) {
    openReader();
    reader()->goTo(QStringLiteral("2:255"));
    const int width = reader()->width();
    const int textTop = reader()->scripture->mapTo(reader(), QPoint()).y();
    for (const QString& typed :
         {QString(400, u'x'), QString(32767, u'x'), QStringLiteral("2:") + QString(500, u'9')}) {
        EXPECT_FALSE(reader()->goTo(typed));
        test::settle();
        // It says what is wrong, quoting no more than a glance takes in.
        EXPECT_FALSE(reader()->message().isEmpty());
        EXPECT_LT(reader()->message().size(), 160);
        EXPECT_EQ(reader()->width(), width);
        EXPECT_EQ(reader()->scripture->mapTo(reader(), QPoint()).y(), textTop);
    }
    // The next move clears it.
    reader()->nextAya();
    EXPECT_TRUE(reader()->message().isEmpty());
    EXPECT_EQ(reader()->scripture->mapTo(reader(), QPoint()).y(), textTop);
}

TEST_F(ReaderWindowTest, APaneDraggedShutIsShownShutAndReopens) {
    openReader();
    QSplitter* splitter = reader()->splitter;
    QSplitterHandle* handle = splitter->handle(1);
    ASSERT_NE(handle, nullptr);
    // Dragged down past the window's bottom: the pane collapses.
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QMouseEvent drag(QEvent::MouseMove, QPointF(grip.x(), grip.y() + 2000),
                     handle->mapToGlobal(QPointF(grip.x(), grip.y() + 2000)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &drag);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(grip.x(), grip.y() + 2000));
    ASSERT_EQ(splitter->sizes().value(1), 0);
    EXPECT_FALSE(reader()->tafsirToggle->isChecked());
    // The toggle opens it again, with a height to read in.
    reader()->tafsirToggle->click();
    EXPECT_TRUE(reader()->tafsirToggle->isChecked());
    EXPECT_GT(splitter->sizes().value(1), 2 * reader()->tafsirPane->fontMetrics().lineSpacing());
    EXPECT_TRUE(reader()->tafsirPane->isVisible());
}

TEST_F(ReaderWindowTest, CtrlWheelStepsOncePerNotch) {
    openReader();
    const auto turn = [&](int angle) {
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, angle), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(reader()->scripture->viewport(), &wheel);
    };
    const double size = reader()->preferences().scriptureSize;
    // A touchpad's notch in small steps: one size.
    for (int i = 0; i < 4; ++i) {
        turn(30);
    }
    EXPECT_EQ(reader()->preferences().scriptureSize, size + 1);
    turn(60); // half a notch: nothing yet
    EXPECT_EQ(reader()->preferences().scriptureSize, size + 1);
    turn(-240); // the other way starts afresh: two notches down
    EXPECT_EQ(reader()->preferences().scriptureSize, size - 1);
}

TEST_F(ReaderWindowTest, AClickOrEnterInAnAyaMakesItCurrent) {
    openReader();
    reader()->goTo(QStringLiteral("2:1"));
    const SuraText& sura = reader()->session().sura();
    const SuraText::Placed& fifth = sura.placed.at(4); // 2:5
    QTextCursor cursor(reader()->scripture->document());
    cursor.setPosition(int(fifth.start + fifth.length / 2));
    const QRect where = reader()->scripture->cursorRect(cursor);
    QTest::mouseClick(reader()->scripture->viewport(), Qt::LeftButton, {}, where.center());
    EXPECT_EQ(reader()->session().current(), fifth.id);
    EXPECT_EQ(reader()->tafsirPane->toPlainText(), test::packageTafsir(int(fifth.id)));
    // Enter at the caret, moved by the keyboard into 2:3.
    const SuraText::Placed& third = sura.placed.at(2);
    cursor.setPosition(int(third.start + 1));
    reader()->scripture->setTextCursor(cursor);
    reader()->scripture->setFocus();
    QTest::keyClick(reader()->scripture, Qt::Key_Return);
    EXPECT_EQ(reader()->session().current(), third.id);
}

TEST_F(ReaderWindowTest, ThePlainCopyOfASelectionIsPlainToo) {
    openReader();
    reader()->goTo(QStringLiteral("2:163"));
    reader()->plainCopy->setChecked(true);
    const SuraText::Placed* aya = reader()->session().sura().find(reader()->session().current());
    ASSERT_NE(aya, nullptr);
    QTextCursor cursor(reader()->scripture->document());
    cursor.setPosition(int(aya->start));
    cursor.setPosition(int(aya->start + aya->length), QTextCursor::KeepAnchor);
    reader()->scripture->setTextCursor(cursor);
    reader()->scripture->setFocus();
    QTest::keyClick(reader()->scripture, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), plainLetters(test::packageAyaText(int(aya->id))));
    EXPECT_FALSE(QApplication::clipboard()->text().contains(QChar(0x0640)));
    EXPECT_FALSE(QApplication::clipboard()->text().contains(QStringLiteral("  ")));
}

TEST_F(ReaderWindowTest, ASaveThatFailsIsSaidOnce) {
    // Its folder is a file: no save can happen, root or not.
    const QString blocked = folder.filePath(QStringLiteral("blocked"));
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QByteArray configuration = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", blocked.toUtf8());
    for (int run = 0; run < 2; ++run) {
        openReader();
        reader()->close();
        test::settle();
    }
    qputenv("XDG_CONFIG_HOME", configuration);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.value(0).startsWith(QStringLiteral("تعذر حفظ إعدادات نافذة القراءة")));
}

// The text holds one paragraph per mushaf page, each with that page's ayas,
// as the metadata package places them.
TEST_F(ReaderWindowTest, EachMushafPageIsAParagraph) {
    openReader();
    for (const int sura : {1, 2, 18, 114}) {
        reader()->goTo(QString::number(sura));
        std::vector<std::pair<int, QStringList>> pages; // page, its ayas' texts
        for (std::size_t k = 0; k < test::packagePlaces().size(); ++k) {
            const test::AyaPlace& place = test::packagePlaces()[k];
            if (place.sura != sura) {
                continue;
            }
            if (pages.empty() || pages.back().first != place.page) {
                pages.push_back({place.page, {}});
            }
            pages.back().second.append(test::packageAyaText(int(k + 1)));
        }
        const QTextDocument* text = reader()->scripture->document();
        ASSERT_EQ(text->blockCount(), int(pages.size())) << sura;
        for (int k = 0; k < text->blockCount(); ++k) {
            const QString paragraph = text->findBlockByNumber(k).text();
            for (const QString& aya : pages[std::size_t(k)].second) {
                EXPECT_TRUE(paragraph.contains(aya))
                    << sura << " page " << pages[std::size_t(k)].first;
            }
        }
    }
}

// A saved place that fits no screen (garbage, or a window widened past the
// screen) is placed anew beside the main window, not at 0,0.
TEST_F(ReaderWindowTest, APlaceThatFitsNoScreenIsPlacedAnew) {
    for (const QByteArray& geometry : {QByteArray("garbage"), QByteArray()}) {
        ReaderPreferences saved;
        saved.geometry = geometry;
        if (geometry.isEmpty()) {
            QWidget wide;
            wide.setGeometry(0, 0, 2564, 300);
            saved.geometry = wide.saveGeometry();
        }
        ASSERT_TRUE(saved.save(settingsPath()));
        start();
        openReader();
        const QRect screen = QApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.contains(reader()->frameGeometry()));
        EXPECT_GT(reader()->width(), 400);
        reader()->close();
        test::settle();
    }
}
