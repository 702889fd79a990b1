#include "font_chooser.h"
#include "form1.h"
#include "form6.h"
#include "main_window_fixture.h"
#include "run_program.h"
#include "scripture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

class SearchTest : public test::MainWindowTest {
protected:
    // Opens the options window, lets setup choose, closes it as a user would.
    void chooseOptions(const std::function<void(Form6&)>& setup) {
        form->option_Click();
        Form6* options = test::openWindow<Form6>();
        ASSERT_NE(options, nullptr);
        setup(*options);
        options->Command1_Click();
    }
};

// A search and where it looks: the command line's scope option (none for
// the whole text) and the first and last sura or juz it covers.
struct ScopedSearch {
    const char* text;
    bool wholeWord;
    QString option;
    int first = 0;
    int last = 0;

    bool byJuz() const { return option.startsWith(u"--juz"); }
    bool covers(const test::AyaPlace& p) const {
        const int unit = byJuz() ? p.juz : p.sura;
        return option.isEmpty() || (unit >= first && unit <= last);
    }
    // The same scope chosen in the options window.
    void pick(Form6& o) const {
        const bool range = option.endsWith(u's');
        if (option.isEmpty()) {
            return;
        }
        (byJuz() ? (range ? o.part1 : o.part) : (range ? o.sora1 : o.sora))
            ->setCurrentIndex(first - 1);
        (byJuz() ? o.part2 : o.sora2)->setCurrentIndex(last - 1);
        (byJuz() ? (range ? o.part12op : o.partop) : (range ? o.sora12op : o.soraop))
            ->setChecked(true);
    }
    QStringList arguments() const {
        QStringList list{QStringLiteral("--search"), QString::fromUtf8(text)};
        if (!wholeWord) {
            list.append(QStringLiteral("--partial"));
        }
        if (!option.isEmpty()) {
            list << option
                 << (first == last ? QString::number(first)
                                   : QStringLiteral("%1-%2").arg(first).arg(last));
        }
        return list;
    }
};

} // namespace

TEST_F(SearchTest, EveryScopeAndModeFindsWhatAnIndependentSearchFinds) {
    const std::vector<ScopedSearch> searches{
        {"الله", true, {}},
        {"صمد", false, {}},
        {"الله", true, "--sura", 2, 2},
        {"الله", false, "--suras", 2, 5},
        {"رب", true, "--juz", 30, 30},
        {"الله", true, "--juzs", 1, 2},
    };
    for (const ScopedSearch& s : searches) {
        SCOPED_TRACE(s.arguments().join(u' ').toStdString());
        start();
        chooseOptions([&](Form6& o) {
            (s.wholeWord ? o.alone : o.withother)->setChecked(true);
            s.pick(o);
        });
        searchFor(QString::fromUtf8(s.text));
        const QList<qint64> expected = test::referenceSearch(
            QString::fromUtf8(s.text), s.wholeWord, [&s](const auto& p) { return s.covers(p); });
        ASSERT_FALSE(expected.isEmpty());
        QStringList expectedLines;
        for (const qint64 id : expected) {
            const test::AyaPlace& place = test::packagePlaces()[static_cast<std::size_t>(id - 1)];
            expectedLines.append(resultLine(place.sura, place.aya));
        }
        EXPECT_EQ(resultIds(), expected);
        EXPECT_EQ(lines(), expectedLines);
        EXPECT_EQ(form->score->text(), QString::number(expected.size()));
        EXPECT_EQ(test::runVelmor(s.arguments()).lines(),
                  expectedLines + QStringList{QString::number(expected.size())});
    }
}

TEST_F(SearchTest, TheMatchedStretchesAreMarkedInTheAyaAfterASearchOnly) {
    searchFor(QStringLiteral("إله"));
    ASSERT_EQ(lines().first(), QStringLiteral("البقرة : 163"));
    // Each marked stretch as START:LENGTH, and its text.
    const auto marks = [this] {
        std::pair<QStringList, QStringList> found;
        for (const auto& mark : form->Text1->extraSelections()) {
            const QString text = mark.cursor.selectedText();
            found.first.append(
                QStringLiteral("%1:%2").arg(mark.cursor.selectionStart()).arg(text.size()));
            found.second.append(text);
        }
        return found;
    };
    const QString ilah = QStringLiteral("\u0625\u0650\u0644\u0640\u0670\u0647");
    EXPECT_EQ(marks().second,
              (QStringList{ilah + QChar(0x064C), ilah + QChar(0x064E)})); // marks too
    // The same stretches as the command line gives; a font change keeps them.
    const QStringList spans = marks().first;
    EXPECT_EQ(test::runVelmor({"--search", "إله", "--sura", "2", "--spans"}).lines().value(1),
              spans.join(u' '));
    form->Text1->setFont(QFont(QStringLiteral("Amiri"), 20));
    EXPECT_EQ(marks().first, spans);
    // A listing was not searched for: nothing is marked.
    form->allayaasearch_Click();
    EXPECT_TRUE(form->Text1->extraSelections().isEmpty());
}

// What is looked for is unit-tested with the query text; here, what the
// window makes of it.
TEST_F(SearchTest, TheSearchTextAsTyped) {
    searchFor(QStringLiteral("   الصمد  "));
    EXPECT_EQ(form->searcht->text(), QStringLiteral("الصمد"));
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
    // Blanks alone search nothing and keep the results.
    const auto fills = form->results().latestFill();
    searchFor(QStringLiteral("    "));
    EXPECT_EQ(form->searcht->text(), QString());
    EXPECT_EQ(form->results().latestFill(), fills);
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
    // Quotes, a very long text, a million '%': found or not, never an error.
    for (const QString& text : {QStringLiteral("x' OR '1'='1"), QString(100000, u'ب'),
                                QStringLiteral("الصمد") + QString(1000000, u'%')}) {
        searchFor(text);
    }
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(SearchTest, ANewerSearchStartedDuringAWalkWins) {
    chooseOptions([](Form6& o) { o.withother->setChecked(true); });
    bool started = false;
    // The first yield of the long walk starts another search.
    QTimer::singleShot(0, form.get(), [&] {
        started = true;
        searchFor(QStringLiteral("الصمد"));
    });
    searchFor(QStringLiteral("ا"));
    ASSERT_TRUE(started);
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
    EXPECT_EQ(resultIds(), QList<qint64>{6223});
    EXPECT_EQ(form->score->text(), QStringLiteral("1"));
    EXPECT_TRUE(form->allayaasearch->isEnabled());
}

TEST_F(SearchTest, OneEnterStartsOneSearch) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->searcht->setText(QStringLiteral("الصمد"));
    for (QWidget* focus : {static_cast<QWidget*>(form->searcht),  // the box runs it itself
                           static_cast<QWidget*>(form->Text1)}) { // the window takes it
        focus->setFocus();
        const auto fills = form->results().latestFill();
        QTest::keyClick(focus, Qt::Key_Return);
        EXPECT_EQ(form->results().latestFill(), fills + 1);
    }
    EXPECT_EQ(form->score->text(), QStringLiteral("1"));
}

TEST_F(SearchTest, OptionsAreKeptForTheRunOnly) {
    chooseOptions([](Form6& o) {
        o.soraop->setChecked(true);
        o.sora->setCurrentIndex(1);
        o.withother->setChecked(true); // the two groups are independent
    });
    EXPECT_EQ(form->state().searchscope, 3);
    // Closing by the title bar destroys it; the next one starts afresh but
    // shows the scope kept for the run.
    form->option_Click();
    test::openWindow<Form6>()->close();
    test::settle();
    form->option_Click();
    const Form6* options = test::openWindow<Form6>();
    EXPECT_TRUE(options->soraop->isChecked() && options->alone->isChecked());
    EXPECT_EQ(options->sora->currentIndex(), -1);
    start();
    EXPECT_EQ(form->state().searchscope, 0);
}

TEST_F(SearchTest, TheFontChooserOpensOnExactlyTheDisplaysFont) {
    QFont display(QStringLiteral("Amiri"));
    display.setPointSizeF(10.5);
    display.setBold(true);
    display.setItalic(true);
    form->Text1->setFont(display);
    form->option_Click();
    Form6* options = test::openWindow<Form6>();
    test::answerModal<FontChooser>([](FontChooser& chooser) {
        EXPECT_EQ(chooser.family->currentText(), QStringLiteral("Amiri"));
        EXPECT_EQ(chooser.size->value(), 10.5);
        EXPECT_TRUE(chooser.bold->isChecked() && chooser.italic->isChecked());
        EXPECT_EQ(chooser.preview->font().italic(), true);
        chooser.accept(); // no change
    });
    options->Commandfont_Click();
    EXPECT_EQ(form->Text1->font(), display);
    // A fraction can be chosen.
    test::answerModal<FontChooser>([](FontChooser& chooser) {
        chooser.size->setValue(12.75);
        chooser.accept();
    });
    options->Commandfont_Click();
    options->Command1_Click();
    EXPECT_EQ(test::fileBytes(folder.filePath(QStringLiteral("all.txt"))),
              QByteArray("\"Amiri\",12.75,#TRUE#,#TRUE#\r\n"));
}

TEST_F(SearchTest, AFontThatCannotBeSavedIsReportedAndTheOldFileKept) {
    chooseOptions([](Form6&) {});
    const QByteArray saved = test::fileBytes(folder.filePath(QStringLiteral("all.txt")));
    ASSERT_TRUE(saved.startsWith('"')); // a settings line was written
    form->Text1->setFont(QFont(QStringLiteral("Font \"Quoted\"")));
    chooseOptions([](Form6&) {});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("تعذر حفظ الخط المختار")));
    EXPECT_EQ(messageTitles[0], applicationTitle());
    EXPECT_EQ(test::fileBytes(folder.filePath(QStringLiteral("all.txt"))), saved);
}

TEST(SearchCommandLine, AMissingDatabaseFailsWithItsName) {
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("velmor"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMOR_TEST_PROGRAM), copy));
    const test::ProgramRun missing =
        test::runProgram(copy, {QStringLiteral("--search"), QStringLiteral("الله")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(missing.err).contains(QStringLiteral("zarqen.zq")));
}
