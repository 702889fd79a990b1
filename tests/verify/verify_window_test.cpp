// The window that checks a quotation and the reading window's similar
// ayas, driven as a reader drives them, over the generated database.
#include "composition.h"
#include "reader_fixture.h"
#include "scripture.h"
#include "typing.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>

using namespace velmor;

namespace {

bool checked(VerifyWindow* window) {
    return QTest::qWaitFor([&] { return !window->checking(); }, 10000);
}

} // namespace

class VerifyWindowTest : public ReaderWindowTest {
protected:
    VerifyWindow* openVerify() {
        form->verifying->trigger();
        return form->verifyWindow();
    }
};

TEST_F(VerifyWindowTest, MarksTheQuotationsAsTheReaderTypes) {
    VerifyWindow* window = openVerify();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("التحقق من اقتباس"));
    const QString text =
        QStringLiteral("قال الخطيب: وقل ربي زدني علما، ثم تلا: قل هو الله أحد الله الصمد، وانصرف.");
    window->input->setFocus();
    test::typeInto(window->input, text);
    ASSERT_TRUE(checked(window));
    ASSERT_EQ(window->quotations().size(), 2U);
    const auto marks = window->input->extraSelections();
    ASSERT_EQ(marks.size(), 2);
    // Each mark covers its quotation: a slip in one colour, exact in another.
    EXPECT_EQ(marks[0].cursor.selectedText(), QStringLiteral("وقل ربي زدني علما"));
    EXPECT_EQ(marks[1].cursor.selectedText(), QStringLiteral("قل هو الله أحد الله الصمد"));
    EXPECT_NE(marks[0].format.background(), marks[1].format.background());
    ASSERT_EQ(window->foundList->count(), 2);
    EXPECT_TRUE(
        window->foundList->item(0)->text().startsWith(QStringLiteral("20:114 · فيه اختلاف")));
    EXPECT_TRUE(window->foundList->item(1)->text().startsWith(QStringLiteral("112:1-2 · مطابق")));
    EXPECT_EQ(window->statusLine->text(),
              QStringLiteral("الاقتباسات: 2، منها 1 مطابق و1 فيه اختلاف."));
    // A change checks again; the newest text wins.
    window->setText(QStringLiteral("نص بلا آيات"));
    ASSERT_TRUE(checked(window));
    EXPECT_TRUE(window->quotations().empty());
    EXPECT_TRUE(window->input->extraSelections().isEmpty());
    EXPECT_EQ(window->statusLine->text(), QStringLiteral("لم يوجد في النص اقتباس من القرآن."));
}

TEST_F(VerifyWindowTest, ChoosingOneShowsItsAyaMovesTheReaderAndCopiesItRight) {
    ReaderWindow* reader = openReader();
    ASSERT_NE(reader, nullptr);
    VerifyWindow* window = openVerify();
    window->setText(QStringLiteral("كما قيل: وقل ربي زدني علما"));
    ASSERT_TRUE(checked(window));
    ASSERT_EQ(window->quotations().size(), 1U);
    window->choose(0);
    EXPECT_EQ(reader->session().current(), idOf(20, 114));
    // The raw text keeps the aya's no-break spaces.
    const QString shown = window->detail->document()->toRawText();
    EXPECT_TRUE(shown.contains(QStringLiteral("ما كتبته: وقل ربي زدني علما")))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(test::packageAyaText(static_cast<int>(idOf(20, 114)))));
    // The slip is marked on both sides.
    EXPECT_EQ(window->detail->toHtml().count(QStringLiteral("background-color:#e57373")), 2);
    window->copyCorrect();
    EXPECT_EQ(QApplication::clipboard()->text(),
              test::packageAyaText(static_cast<int>(idOf(20, 114))) +
                  QStringLiteral(" ( طه : 114 )\r\n\r\n"));
}

TEST_F(VerifyWindowTest, TheSimilarTabListsTheTwinsAndAltLeftComesBack) {
    ReaderWindow* reader = openReader();
    ASSERT_NE(reader, nullptr);
    reader->showLibraryPanel(true);
    QTabWidget* tabs = reader->libraryPanel->tabs;
    tabs->setCurrentWidget(reader->similarPanel);
    ASSERT_TRUE(reader->goTo(QStringLiteral("البقرة 35")));
    EXPECT_EQ(tabs->tabText(tabs->indexOf(reader->similarPanel)), QStringLiteral("المتشابهات (1)"));
    EXPECT_EQ(reader->similarPanel->listed(), QList<qint64>{idOf(7, 19)});
    EXPECT_TRUE(reader->similarPanel->list->toPlainText().contains(QStringLiteral("الأعراف : 19")));
    emit reader->similarPanel->list->anchorClicked(QUrl(QStringLiteral("aya:%1").arg(idOf(7, 19))));
    EXPECT_EQ(reader->session().current(), idOf(7, 19));
    EXPECT_EQ(reader->similarPanel->listed(), QList<qint64>{idOf(2, 35)});
    QTest::keyClick(reader, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(reader->session().current(), idOf(2, 35));
    // A refrain's tab counts its twins; an aya with none says so.
    ASSERT_TRUE(reader->goTo(QStringLiteral("الرحمن 13")));
    EXPECT_EQ(tabs->tabText(tabs->indexOf(reader->similarPanel)),
              QStringLiteral("المتشابهات (30)"));
    ASSERT_TRUE(reader->goTo(QStringLiteral("البقرة 255")));
    EXPECT_EQ(tabs->tabText(tabs->indexOf(reader->similarPanel)), QStringLiteral("المتشابهات"));
    EXPECT_TRUE(reader->similarPanel->isEnabled());
}
