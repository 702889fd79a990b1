// The reading window's Uthmani script, reciting from memory, both tafsirs
// at once, and its print, PDF and image.
#include "print_dialog.h"
#include "reader_fixture.h"
#include "run_program.h"
#include "scripture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>

using namespace velmor;

namespace {

// The stretches of the document the extra selections cover, as text.
QStringList selectedStretches(const QPlainTextEdit& view) {
    QStringList stretches;
    for (const QTextEdit::ExtraSelection& selection : view.extraSelections()) {
        stretches.append(selection.cursor.selectedText());
    }
    return stretches;
}

} // namespace

TEST_F(ReaderWindowTest, TheUthmaniScriptShowsCopiesAndMarksLikeTheSimpleOne) {
    openReader();
    reader()->goTo(QStringLiteral("2:255"));
    reader()->follow(idOf(2, 255), ReadingSession::Search{QStringLiteral("الحي القيوم"), true});
    const int uthmani = reader()->scriptPicker->findText(QStringLiteral("الرسم العثماني"));
    ASSERT_GE(uthmani, 0);
    reader()->scriptPicker->setCurrentIndex(uthmani);
    emit reader()->scriptPicker->activated(uthmani);
    EXPECT_EQ(reader()->preferences().script, Script::Uthmani);
    const QString text = test::packageUthmani(262);
    EXPECT_TRUE(reader()->scripture->toPlainText().contains(text));
    EXPECT_EQ(QFontInfo(reader()->scripture->font()).family(),
              QStringLiteral("KFGQPC HAFS Uthmanic Script"));
    // The current aya's tint covers the Uthmani aya, its match the two words.
    const QStringList marked = selectedStretches(*reader()->scripture);
    ASSERT_GE(marked.size(), 2);
    EXPECT_TRUE(marked[0].startsWith(text));
    const QStringList words = text.split(u' ');
    EXPECT_EQ(marked[1], words[5] + u' ' + words[6]); // الحي القيوم
    // Copy copies the script shown, as stored.
    reader()->copyAya();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(text));
    // A click on another aya makes it current there too.
    const SuraText::Placed* next = reader()->session().sura().find(idOf(2, 256));
    ASSERT_NE(next, nullptr);
    emit reader()->scripture->positionChosen(static_cast<int>(next->start + 3));
    EXPECT_EQ(reader()->session().current(), idOf(2, 256));
    EXPECT_EQ(reader()->session().ayaText(), test::packageUthmani(263));
    reader()->close();
    // Kept for the next run.
    start();
    openReader();
    EXPECT_EQ(reader()->session().script(), Script::Uthmani);
    EXPECT_EQ(reader()->scriptPicker->currentIndex(), uthmani);
    reader()->setScript(Script::Simple);
    EXPECT_EQ(reader()->session().ayaText(), test::packageAyaText(263));
    reader()->close();
    QFile::remove(settingsPath());
}

TEST_F(ReaderWindowTest, RecitingHidesTheTextAndRevealsItWordByWord) {
    openReader();
    reader()->goTo(QStringLiteral("112:1"));
    for (const bool firstLetters : {false, true}) {
        SCOPED_TRACE(firstLetters);
        reader()->setReciteFirstLetters(firstLetters);
        QTest::keyClick(reader(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_NE(reader()->recitation(), nullptr);
        EXPECT_TRUE(reader()->reciteBar->isVisible());
        // Sura 112 from its first aya: 15 words, all hidden, each its own
        // stretch after the current aya's tint.
        const std::size_t words = reader()->recitation()->words().size();
        EXPECT_EQ(words, 15u);
        QStringList hidden = selectedStretches(*reader()->scripture).mid(1);
        EXPECT_EQ(hidden.size(), 15);
        if (firstLetters) {
            EXPECT_EQ(hidden.front(), QStringLiteral("ل")); // قُل shows its قُ
        } else {
            EXPECT_EQ(hidden.front(), QStringLiteral("قُل"));
        }
        QWidget* text = reader()->scripture;
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Space);
        QTest::keyClick(text, Qt::Key_Space);
        EXPECT_EQ(reader()->recitation()->revealed(), 2u);
        QTest::keyClick(text, Qt::Key_Backspace);
        EXPECT_EQ(reader()->recitation()->revealed(), 1u);
        QTest::keyClick(text, Qt::Key_Space);
        QTest::keyClick(text, Qt::Key_M, Qt::ControlModifier);
        EXPECT_TRUE(reader()->reciteLine->text().contains(QStringLiteral("الأخطاء فيها ١")));
        QTest::keyClick(text, Qt::Key_Return); // the rest of 112:1
        EXPECT_EQ(reader()->recitation()->revealed(), 4u);
        // The current aya stays; the missed word is marked in its colour.
        EXPECT_EQ(reader()->session().current(), idOf(112, 1));
        hidden = selectedStretches(*reader()->scripture);
        EXPECT_EQ(hidden.size(), 1 + 1 + 11); // tint, the miss, the words left
        EXPECT_EQ(hidden[1], QStringLiteral("هُوَ"));
        QTest::keyClick(reader(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(reader()->recitation(), nullptr);
        EXPECT_EQ(selectedStretches(*reader()->scripture).size(), 1);
    }
    // In the Uthmani script and from a step: the words of the new aya on.
    reader()->setScript(Script::Uthmani);
    reader()->setReciting(true);
    reader()->nextAya();
    ASSERT_NE(reader()->recitation(), nullptr);
    EXPECT_EQ(reader()->recitation()->words().size(), 15u - 4u);
    reader()->close();
    QFile::remove(settingsPath());
}

TEST_F(ReaderWindowTest, BothTafsirsSideBySideOrOneAboveTheOther) {
    openReader();
    reader()->goTo(QStringLiteral("2:5"));
    reader()->bothTafsirs->click();
    EXPECT_TRUE(reader()->otherTafsirPane->isVisible());
    EXPECT_EQ(reader()->tafsirPane->toPlainText(), test::packageTafsir(12));
    EXPECT_EQ(reader()->otherTafsirPane->toPlainText(),
              reader()->session().tafsir(TafsirSource::Jalalayn));
    reader()->resize(1100, 640);
    QTRY_COMPARE(reader()->tafsirSplit->orientation(), Qt::Horizontal);
    reader()->resize(700, 640);
    QTRY_COMPARE(reader()->tafsirSplit->orientation(), Qt::Vertical);
    // Each with its own size.
    const double chosen = reader()->tafsirPane->font().pointSizeF();
    const double other = reader()->otherTafsirPane->font().pointSizeF();
    reader()->otherTafsirPane->setFocus();
    QTest::keyClick(reader()->otherTafsirPane, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(reader()->otherTafsirPane->font().pointSizeF(), other + 1);
    EXPECT_EQ(reader()->tafsirPane->font().pointSizeF(), chosen);
    reader()->close();
    start();
    openReader();
    EXPECT_TRUE(reader()->bothTafsirs->isChecked());
    EXPECT_EQ(reader()->otherTafsirPane->font().pointSizeF(), other + 1);
    reader()->close();
    QFile::remove(settingsPath());
}

TEST_F(ReaderWindowTest, PrintsARangeToPdfAndTheAyaToAnImage) {
    openReader();
    reader()->goTo(QStringLiteral("36:1"));
    QTemporaryDir saved;
    const QString png = saved.filePath(QStringLiteral("36-1.png"));
    ASSERT_TRUE(reader()->saveAyaImage(png));
    EXPECT_EQ(QImage(png).width(), 1080);

    QTest::keyClick(reader(), Qt::Key_P, Qt::ControlModifier);
    PrintDialog* dialog = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (dialog = reader()->findChild<PrintDialog*>()); }));
    EXPECT_TRUE(dialog->wholeSura->isChecked());
    EXPECT_FALSE(dialog->chosenAyas->isEnabled());
    dialog->someAyas->setChecked(true);
    dialog->fromBox->setText(QStringLiteral("36:1"));
    dialog->toBox->setText(QStringLiteral("يس 12"));
    dialog->tafsirPicker->setCurrentIndex(
        dialog->tafsirPicker->findData(QStringLiteral("jalalayn")));
    const QString pdf = saved.filePath(QStringLiteral("36.pdf"));
    dialog->choosePdfFile = [&] { return pdf; };
    dialog->pdfButton->click();
    EXPECT_TRUE(dialog->outcomeLine->text().startsWith(QStringLiteral("حُفظ الملف")));
    const test::ProgramRun info = test::runProgram(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_TRUE(info.out.contains("Pages:"));
    // A range that ends before it begins is said, and nothing is written.
    dialog->toBox->setText(QStringLiteral("35:1"));
    EXPECT_FALSE(dialog->savePdf(saved.filePath(QStringLiteral("none.pdf"))));
    EXPECT_EQ(dialog->outcomeLine->text(), QStringLiteral("آخر المدى قبل أوله"));
    EXPECT_FALSE(QFile::exists(saved.filePath(QStringLiteral("none.pdf"))));
    dialog->close();
    reader()->close();
    QFile::remove(settingsPath());
}

// A jump far into a long sura, and a new width, leave the current aya in
// view once the pages around it are laid out (the view first counted the
// lines before it as it had them).
TEST_F(ReaderWindowTest, TheCurrentAyaStaysInViewAfterAJumpOrANewWidth) {
    openReader();
    const auto inView = [&] {
        const SuraText::Placed* aya =
            reader()->session().sura().find(reader()->session().current());
        QTextCursor cursor(reader()->scripture->document());
        cursor.setPosition(int(aya->start));
        return reader()->scripture->viewport()->rect().intersects(
            reader()->scripture->cursorRect(cursor));
    };
    // What the view does once the event loop has turned: its layout, and
    // the turns that bring the aya back.
    const auto settled = [] {
        for (int turn = 0; turn < 5; ++turn) {
            QCoreApplication::processEvents();
        }
    };
    for (const char* ref : {"2:163", "2:255", "2:100", "3:7", "2:20", "2:280"}) {
        SCOPED_TRACE(ref);
        reader()->goTo(QString::fromLatin1(ref));
        settled();
        EXPECT_TRUE(inView());
    }
    for (const QSize size : {QSize(1000, 760), QSize(640, 600), QSize(900, 700)}) {
        reader()->resize(size);
        settled();
        EXPECT_TRUE(inView()) << size.width();
    }
    // The other script keeps the aya in view, and its page is laid out as
    // when the window opens in that script.
    const auto page = [&] {
        settled();
        const SuraText::Placed* aya =
            reader()->session().sura().find(reader()->session().current());
        const QTextBlock block = reader()->scripture->document()->findBlock(int(aya->start));
        const QTextLayout* laid = block.layout();
        return std::pair{laid->lineCount(), laid->lineCount() > 0 ? laid->lineAt(0).height() : 0};
    };
    for (const Script script : {Script::Uthmani, Script::Simple, Script::Uthmani}) {
        reader()->goTo(QStringLiteral("2:255"));
        reader()->setScript(script);
        const auto switched = page();
        EXPECT_TRUE(inView());
        const QSize size = reader()->size();
        reader()->close();
        delete reader();
        openReader(); // in the script kept
        ASSERT_EQ(reader()->session().script(), script);
        reader()->resize(size);
        reader()->goTo(QStringLiteral("2:255"));
        EXPECT_EQ(switched, page());
        EXPECT_GT(switched.first, 0);
    }
    reader()->setScript(Script::Simple);
    reader()->close();
    QFile::remove(settingsPath());
}
