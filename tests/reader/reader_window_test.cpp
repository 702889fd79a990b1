// The reading window beside the main window: opened by Ctrl+R, following
// the selection, stepping, going to a reference, sizes, themes, the kept
// settings.
#include "connection_string.h"
#include "database.h"
#include "reader_fixture.h"
#include "scripture.h"

#include <QClipboard>
#include <QComboBox>
#include <QSplitter>
#include <QTest>
#include <QTextEdit>

using namespace velmor;

TEST_F(ReaderWindowTest, OpensBesideTheMainWindowAndFollowsItsSelection) {
    QFile::remove(settingsPath());
    ASSERT_NE(openReader(), nullptr);
    EXPECT_TRUE(reader()->isVisible());
    EXPECT_FALSE(reader()->isModal());
    EXPECT_EQ(reader()->session().current(), 1); // nothing shown yet: 1:1
    EXPECT_EQ(reader()->tafsirPane->toPlainText(), test::packageTafsir(1));

    searchFor(QStringLiteral("إله"));
    const auto& rows = form->results().rows();
    ASSERT_GT(rows.size(), 3u);
    EXPECT_EQ(reader()->session().current(), rows[0].id);
    EXPECT_FALSE(reader()->session().matches().isEmpty());
    form->suraayaalist->setCurrentRow(3);
    EXPECT_EQ(reader()->session().current(), rows[3].id);
    // The current aya is tinted and every match marked.
    const QList<QTextEdit::ExtraSelection> tint = reader()->scripture->extraSelections();
    ASSERT_FALSE(tint.isEmpty());
    EXPECT_EQ(tint.front().cursor.selectedText().left(10),
              test::packageAyaText(static_cast<int>(rows[3].id)).left(10));
    const QColor matched = coloursOf(ReaderTheme::Light).match;
    for (const MatchSpan& span : reader()->session().matches()) {
        QTextCursor inside(reader()->scripture->document());
        inside.setPosition(static_cast<int>(span.start + 1));
        EXPECT_EQ(inside.charFormat().background().color(), matched) << span.start;
    }
    // A listing marks nothing.
    form->allayaasearch_Click();
    EXPECT_TRUE(reader()->session().matches().isEmpty());
    QTextCursor anywhere(reader()->scripture->document());
    anywhere.setPosition(static_cast<int>(reader()->session().sura().placed.back().start) + 1);
    EXPECT_NE(anywhere.charFormat().background().color(), matched);
    EXPECT_EQ(reader()->session().current(), form->results().rows().front().id);
    // The main window stays usable beside it.
    searchFor(QStringLiteral("الصمد"));
    EXPECT_EQ(reader()->session().current(), 6223);
}

TEST_F(ReaderWindowTest, StepsAndGoesToReferencesByKeyboard) {
    searchFor(QStringLiteral("القيوم"));
    form->suraayaalist->setCurrentRow(0);
    openReader();
    ASSERT_EQ(reader()->session().current(), idOf(2, 255));
    QWidget* text = reader()->scripture;
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(reader()->session().current(), idOf(2, 256));
    QTest::keyClick(text, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(reader()->session().current(), idOf(3, 1));
    QTest::keyClick(text, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(reader()->session().mushaf().place(reader()->session().current()).page, 51);
    QTest::keyClick(text, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(reader()->session().mushaf().place(reader()->session().current()).page, 50);

    QTest::keyClick(text, Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(reader()->goToBox->hasFocus());
    for (const QString& bad : {QStringLiteral("البقرة 300"), QStringLiteral("سورة النجوم")}) {
        const qint64 before = reader()->session().current();
        EXPECT_FALSE(reader()->goTo(bad));
        EXPECT_FALSE(reader()->message().isEmpty());
        EXPECT_EQ(reader()->session().current(), before);
    }
    reader()->goToBox->setText(QStringLiteral("الكهف ١٠"));
    QTest::keyClick(reader()->goToBox, Qt::Key_Return);
    EXPECT_EQ(reader()->session().current(), idOf(18, 10));
    EXPECT_TRUE(reader()->message().isEmpty());
    EXPECT_EQ(reader()->tafsirPane->toPlainText(),
              test::packageTafsir(static_cast<int>(idOf(18, 10))));
    reader()->sourcePicker->setCurrentIndex(1);
    emit reader()->sourcePicker->activated(1);
    EXPECT_EQ(reader()->tafsirPane->toPlainText(),
              test::packageJalalayn(static_cast<int>(idOf(18, 10)))
                  .replace(QStringLiteral("\"\""), QStringLiteral("\"")));

    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              test::packageAyaText(static_cast<int>(idOf(18, 10))) +
                  QStringLiteral(" (الكهف : 10 )"));
}

TEST_F(ReaderWindowTest, SizesAreSeparateAndEverythingIsKeptPerUser) {
    openReader();
    const double scripture = reader()->preferences().scriptureSize;
    const double tafsir = reader()->preferences().tafsirSize;
    reader()->tafsirPane->setFocus();
    QTest::keyClick(reader()->tafsirPane, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(reader()->tafsirPane, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(reader()->preferences().tafsirSize, tafsir + 2);
    EXPECT_EQ(reader()->tafsirPane->font().pointSizeF(), tafsir + 2);
    EXPECT_EQ(reader()->preferences().scriptureSize, scripture);
    reader()->scripture->setFocus();
    QTest::keyClick(reader()->scripture, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(reader()->scripture->font().pointSizeF(), scripture - 1);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(reader()->scripture->viewport(), &wheel);
    EXPECT_EQ(reader()->scripture->font().pointSizeF(), scripture);

    reader()->setTheme(ReaderTheme::Dark);
    EXPECT_EQ(reader()->scripture->palette().color(QPalette::Base),
              coloursOf(ReaderTheme::Dark).background);
    reader()->setTafsirSource(TafsirSource::Jalalayn);
    reader()->goTo(QStringLiteral("36:12"));
    // Within the screen: a place that does not fit one is not restored.
    reader()->setGeometry(20, 10, 700, 520);
    reader()->splitter->setSizes({300, 120});
    const QList<int> sizes = reader()->splitter->sizes();
    reader()->close();

    // A new run finds it all again.
    start();
    openReader();
    EXPECT_EQ(reader()->session().current(), idOf(36, 12));
    EXPECT_EQ(reader()->preferences().theme, ReaderTheme::Dark);
    EXPECT_EQ(reader()->sourcePicker->currentIndex(), 1);
    EXPECT_EQ(reader()->tafsirPane->font().pointSizeF(), tafsir + 2);
    EXPECT_EQ(reader()->size(), QSize(700, 520));
    EXPECT_EQ(reader()->splitter->sizes(), sizes);
    // Every control names itself to a screen reader.
    for (QWidget* control : reader()->findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus && control->isVisibleTo(reader()) &&
            !control->objectName().startsWith(u"qt_")) {
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << control->metaObject()->className() << " " << control->objectName().toStdString();
        }
    }
    QFile::remove(settingsPath());
}
