#include "form1.h"
#include "form5.h"
#include "form6.h"
#include "main_window_fixture.h"
#include "reference_lists.h"
#include "scripture.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

const QString kAyatAlKursiLine = QStringLiteral("البقرة : 255");

class ResultsTest : public test::MainWindowTest {
protected:
    void SetUp() override { start(); }

    // Ayat al-Kursi (2:255, ID 262) is the first hit of its opening words.
    void selectAyatAlKursi() {
        searchFor(QStringLiteral("الله لا إله إلا هو الحي القيوم"));
        ASSERT_EQ(form->suraayaalist->item(0)->text(), kAyatAlKursiLine);
    }

    Form5* composed() {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return form->form5 && form->form5->isComposed(); }, 5000));
        return form->form5;
    }

    QString wholeSuraText(int firstId, int count) {
        QString text;
        for (int n = 1; n <= count; ++n) {
            text += test::packageAyaText(firstId + n - 1) + QStringLiteral(" (%1) ").arg(n);
        }
        return text;
    }
};

} // namespace

TEST_F(ResultsTest, SelectingAResultShowsTheAyaAndItsDetails) {
    selectAyatAlKursi();
    EXPECT_EQ(form->Text1->document()->toRawText(),
              test::packageAyaText(262) + QStringLiteral(" (البقرة : 255 )"));
    EXPECT_EQ(form->typetext->text(), QStringLiteral("مدنية"));
    EXPECT_EQ(form->soraayanum->text(), QStringLiteral("286"));
    EXPECT_EQ(form->chapterNOtext->text(), QStringLiteral("3"));
    EXPECT_EQ(form->pagenotext->text(), QStringLiteral("42"));
    EXPECT_EQ(form->Text2->toPlainText(), test::packageTafsir(262));
    EXPECT_EQ(form->Adodc2.recordSource(),
              QStringLiteral("SELECT *  FROM Ayat where Ayat.ID like 262"));

    // Selecting it again shows the reference once.
    form->suraayaalist_Click();
    form->suraayaalist_Click();
    EXPECT_EQ(form->Text1->document()->toRawText(),
              test::packageAyaText(262) + QStringLiteral(" (البقرة : 255 )"));

    // A Meccan sura with fewer than ten ayas keeps the count's blank.
    searchFor(QStringLiteral("قل أعوذ برب الناس"));
    EXPECT_EQ(form->typetext->text(), QStringLiteral("مكية"));
    EXPECT_EQ(form->soraayanum->text(), QStringLiteral("6 "));
}

TEST_F(ResultsTest, TheDisplayKeepsTheSavedFontAcrossSelections) {
    QFile settings(folder.file(QStringLiteral("all.txt")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("\"Amiri\",16,#FALSE#,#TRUE#\r\n");
    settings.close();
    start();
    selectAyatAlKursi();
    searchFor(QStringLiteral("الصمد"));
    EXPECT_EQ(form->Text1->font().family(), QStringLiteral("Amiri"));
    EXPECT_EQ(form->Text1->font().pointSizeF(), 16);
    EXPECT_TRUE(form->Text1->font().bold());
}

TEST_F(ResultsTest, DoubleClickAddsOnceAndReportsTheDuplicate) {
    selectAyatAlKursi();
    form->suraayaalist_DblClick();
    EXPECT_EQ(form->addaya->count(), 1);
    EXPECT_EQ(form->addaya->item(0)->text(), kAyatAlKursiLine);
    EXPECT_EQ(form->hideadd, QStringList{QStringLiteral("262")});
    EXPECT_TRUE(messages.isEmpty());
    form->suraayaalist_DblClick();
    EXPECT_EQ(form->addaya->count(), 1);
    EXPECT_EQ(form->hideadd.size(), 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("لقد تمت إضافة هذه الآية سابقا"));
    EXPECT_EQ(messageTitles[0], applicationTitle());
}

TEST_F(ResultsTest, NothingIsAddedWhileTheDisplayIsEmpty) {
    selectAyatAlKursi();
    form->Text1->clear();
    form->suraayaalist_DblClick();
    EXPECT_EQ(form->addaya->count(), 0);
    EXPECT_TRUE(form->hideadd.isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ResultsTest, TheSuraButtonListsTheSelectedResultsWholeSura) {
    searchFor(QStringLiteral("الحمد لله رب العالمين"));
    ASSERT_EQ(form->suraayaalist->item(0)->text(), QStringLiteral("الفاتحة : 2"));
    EXPECT_EQ(form->state.notonesura, 1);
    QTest::mouseClick(form->allayaasearch, Qt::LeftButton);
    ASSERT_EQ(form->suraayaalist->count(), 7);
    for (int aya = 1; aya <= 7; ++aya) {
        EXPECT_EQ(form->suraayaalist->item(aya - 1)->text(),
                  QStringLiteral("الفاتحة : %1").arg(aya));
    }
    EXPECT_EQ(form->score->text(), QStringLiteral("7"));
    EXPECT_EQ(form->state.notonesura, 0);
    EXPECT_EQ(form->suraayaalist->currentRow(), 0);
    EXPECT_EQ(form->Text1->document()->toRawText(),
              test::packageAyaText(1) + QStringLiteral(" (الفاتحة : 1 )"));
    EXPECT_EQ(form->Adodc1.recordSource(),
              QStringLiteral("SELECT *  FROM Ayat where Ayat.soraano like 1"));
    EXPECT_FALSE(form->Adodc1.eof()); // rests on the sura's first row
    EXPECT_TRUE(form->allayaasearch->isEnabled());
    EXPECT_TRUE(form->fullsearch->isEnabled());

    // Now the whole-sura composition is allowed, for the first result's sura.
    form->allayaa->trigger();
    Form5* window = composed();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(form->state.makemode, 1);
    EXPECT_EQ(form->state.makesora, 1);
    EXPECT_EQ(window->composedText(), wholeSuraText(1, 7));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("إنشاء النص"));
    EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
}

TEST_F(ResultsTest, TheSuraButtonOnAnEmptyListChangesNothing) {
    searchFor(QStringLiteral("كلمةليستفيالقرآن"));
    form->state.notonesura = 1;
    form->allayaasearch_Click();
    EXPECT_EQ(form->suraayaalist->count(), 0);
    EXPECT_EQ(form->state.notonesura, 1);
    EXPECT_TRUE(form->allayaasearch->isEnabled());
    EXPECT_TRUE(form->fullsearch->isEnabled());
}

TEST_F(ResultsTest, AfterAWordSearchTheWholeSuraIsRefused) {
    searchFor(QStringLiteral("الصمد"));
    form->allayaa_Click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messageTitles[0], QStringLiteral("خطأ"));
    EXPECT_EQ(messages[0], QStringLiteral("إن نتائج البحث ليست لسورة واحدة"));
    EXPECT_TRUE(form->form5.isNull());
}

TEST_F(ResultsTest, WholeSuraCompositionsByteForByte) {
    searchFor(QStringLiteral("الصمد"));
    form->allayaasearch_Click();
    form->allayaa_Click();
    Form5* window = composed();
    ASSERT_NE(window, nullptr);
    const QString expected = wholeSuraText(6222, 4);
    EXPECT_EQ(window->composedText(), expected);
    EXPECT_TRUE(expected.endsWith(QStringLiteral(" (4) ")));
    EXPECT_FALSE(expected.contains(u'\n'));

    // The command line composes the same bytes.
    QProcess cli;
    cli.start(QStringLiteral(VELMOR_TEST_PROGRAM),
              {QStringLiteral("--compose-sura"), QStringLiteral("112")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.readAllStandardOutput(), expected.toUtf8());
}

TEST_F(ResultsTest, ChosenAyasCompositionByteForByte) {
    selectAyatAlKursi();
    form->suraayaalist_DblClick();
    searchFor(QStringLiteral("بسم الله الرحمن الرحيم"));
    ASSERT_EQ(form->suraayaalist->item(0)->text(), QStringLiteral("الفاتحة : 1"));
    form->suraayaalist_DblClick();
    ASSERT_EQ(form->hideadd, (QStringList{QStringLiteral("262"), QStringLiteral("1")}));

    form->chosen->trigger();
    Form5* window = composed();
    ASSERT_NE(window, nullptr);
    const QString expected = test::packageAyaText(262) +
                             QStringLiteral(" ( البقرة : 255 )\r\n\r\n") + test::packageAyaText(1) +
                             QStringLiteral(" ( الفاتحة : 1 )\r\n\r\n");
    EXPECT_EQ(window->composedText(), expected);
    EXPECT_EQ(form->state.makemode, 2);

    // Composed once per opening, however often the window is activated.
    form->chosenList.remove(0);
    window->Form_Activate();
    EXPECT_EQ(window->composedText(), expected);

    // The copy puts the text with its CR LF line breaks on the clipboard.
    window->copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);

    QProcess cli;
    cli.start(QStringLiteral(VELMOR_TEST_PROGRAM),
              {QStringLiteral("--compose"), QStringLiteral("262,1")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.readAllStandardOutput(), expected.toUtf8());
}

TEST_F(ResultsTest, AnEmptyChosenListComposesAnEmptyText) {
    form->chosen_Click();
    Form5* window = composed();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->composedText().isEmpty());
    EXPECT_TRUE(window->Text2->toPlainText().isEmpty());
}

TEST_F(ResultsTest, CopyBeforeTheCompositionEndsCopiesThePleaseWaitText) {
    form->state.makemode = 5; // composes nothing
    form->openForm5();
    QTest::qWait(50);
    form->form5->copy_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("يرجى الإنتظار ...\r\n"));
}

TEST_F(ResultsTest, CopyingTheDisplayPutsExactlyItsText) {
    form->copytext_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
    selectAyatAlKursi();
    form->copy->trigger();
    // Exactly: no-break spaces of the text included.
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              test::packageAyaText(262) + QStringLiteral(" (البقرة : 255 )"));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QChar(0x00A0)));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith(QStringLiteral(" (البقرة : 255 )")));
}

TEST_F(ResultsTest, RemovingAChosenAyaRemovesItsIdToo) {
    for (const char* text : {"الصمد", "قل هو الله أحد", "الله الصمد"}) {
        searchFor(QString::fromUtf8(text));
        form->suraayaalist_DblClick();
    }
    // "الله الصمد" finds the same aya as "الصمد": one duplicate message.
    ASSERT_EQ(form->addaya->count(), 2);
    EXPECT_EQ(form->hideadd, (QStringList{QStringLiteral("6223"), QStringLiteral("6222")}));
    form->addaya->setCurrentRow(0);
    form->addaya_DblClick();
    EXPECT_EQ(form->addaya->count(), 1);
    EXPECT_EQ(form->addaya->item(0)->text(), QStringLiteral("الإخلاص : 1"));
    EXPECT_EQ(form->hideadd, QStringList{QStringLiteral("6222")});
    form->addaya->setCurrentRow(-1);
    form->addaya_DblClick();
    EXPECT_EQ(form->addaya->count(), 1);
}
