#include "form1.h"
#include "form6.h"
#include "main_window_fixture.h"
#include "settings_file.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

class SearchTest : public test::MainWindowTest {
protected:
    void SetUp() override { start(); }

    // Every result's sura number, with the six lists checked equal in length.
    std::vector<int> suras() const {
        const ResultSet& r = form->results;
        EXPECT_EQ(r.count(), form->suraayaalist->count());
        for (const QStringList* list :
             {&r.soraanolist(), &r.ayaanolist(), &r.chapterNOlist(), &r.pagenolist()}) {
            EXPECT_EQ(list->size(), r.count());
        }
        std::vector<int> numbers;
        for (const QString& sura : r.soraanolist()) {
            numbers.push_back(sura.toInt());
        }
        return numbers;
    }

    bool idsAscending() const {
        const QStringList& ids = form->results.ayaalist();
        for (qsizetype i = 1; i < ids.size(); ++i) {
            if (ids[i].toInt() <= ids[i - 1].toInt()) {
                return false;
            }
        }
        return true;
    }

    void setScope(QRadioButton* Form6::*option) {
        Form6& options = form->ensureForm6();
        (options.*option)->setChecked(true);
        options.Command1_Click();
    }
};

QByteArray settingsBytes(const test::ProgramFolder& folder) {
    QFile file(folder.file(QStringLiteral("all.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(SearchTest, WholeTextStandAloneWordIsTheDefault) {
    searchFor(QStringLiteral("الصمد"));
    EXPECT_EQ(
        form->Adodc1.recordSource(),
        QStringLiteral("SELECT *  FROM Ayat where Ayat.AyaaIndex like '% الصمد %'order by ID"));
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
    EXPECT_EQ(form->score->text(), QStringLiteral("1"));
    EXPECT_EQ(form->suraayaalist->currentRow(), 0);
    EXPECT_EQ(form->results.ayaalist(), QStringList{QStringLiteral("6223")});
    EXPECT_EQ(form->state.notonesura, 1);
    EXPECT_FALSE(form->form6->isVisible()); // read hidden, never shown
    EXPECT_TRUE(form->allayaasearch->isEnabled());
}

TEST_F(SearchTest, TextIsTrimmedOfBlanksOnly) {
    searchFor(QStringLiteral("   الصمد  "));
    EXPECT_EQ(form->searcht->text(), QStringLiteral("الصمد"));
    EXPECT_EQ(form->score->text(), QStringLiteral("1"));
    // A tab is not a blank: it stays and finds nothing.
    searchFor(QStringLiteral("\tالصمد"));
    EXPECT_EQ(form->searcht->text(), QStringLiteral("\tالصمد"));
    EXPECT_EQ(form->score->text(), QStringLiteral("0"));
}

TEST_F(SearchTest, EmptyTextSearchesNothing) {
    searchFor(QStringLiteral("الصمد"));
    const auto fills = form->results.latestFill();
    searchFor(QStringLiteral("    "));
    EXPECT_EQ(form->searcht->text(), QString());
    EXPECT_EQ(form->results.latestFill(), fills);
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
    EXPECT_TRUE(form->allayaasearch->isEnabled());
}

TEST_F(SearchTest, PhraseInWholeWordMode) {
    searchFor(QStringLiteral("الله الصمد"));
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
    searchFor(QStringLiteral("الحمد لله رب العالمين"));
    // 6:45 and 37:182 read "والحمد": not the stand-alone word.
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("الفاتحة : 2"), QStringLiteral("يونس : 10"),
                                    QStringLiteral("الزمر : 75"), QStringLiteral("غافر : 65")}));
}

TEST_F(SearchTest, PartOfAWordOnlyInPartialMode) {
    searchFor(QStringLiteral("صمد"));
    EXPECT_EQ(form->score->text(), QStringLiteral("0"));
    form->ensureForm6().withother->setChecked(true);
    searchFor(QStringLiteral("صمد"));
    EXPECT_EQ(form->Adodc1.recordSource(),
              QStringLiteral("SELECT *  FROM Ayat where Ayat.AyaaIndex like '%صمد%'order by ID"));
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
}

TEST_F(SearchTest, OneSuraScope) {
    Form6& options = form->ensureForm6();
    options.sora->setCurrentIndex(1);
    setScope(&Form6::soraop);
    EXPECT_EQ(form->state.searchscope, 3);
    searchFor(QStringLiteral("الله"));
    EXPECT_EQ(form->Adodc1.recordSource(),
              QStringLiteral("SELECT *  FROM Ayat where soraano = 2 And Ayat.AyaaIndex Like  '% "
                             "الله %'order by ID"));
    const auto found = suras();
    ASSERT_FALSE(found.empty());
    EXPECT_TRUE(std::all_of(found.begin(), found.end(), [](int s) { return s == 2; }));
    EXPECT_TRUE(idsAscending());
    EXPECT_EQ(form->state.notonesura, 1); // even one sura's hits are not the whole sura
}

TEST_F(SearchTest, SuraRangeScopeStaysInRangeInOrder) {
    Form6& options = form->ensureForm6();
    options.sora1->setCurrentIndex(1);
    options.sora2->setCurrentIndex(4);
    options.withother->setChecked(true);
    setScope(&Form6::sora12op);
    searchFor(QStringLiteral("الله"));
    EXPECT_EQ(form->Adodc1.recordSource(),
              QStringLiteral("SELECT *  FROM Ayat where soraano between 2 and 5 And Ayat.AyaaIndex "
                             "Like '%الله%'order by ID"));
    const auto found = suras();
    ASSERT_GT(found.size(), 100u);
    EXPECT_TRUE(std::all_of(found.begin(), found.end(), [](int s) { return s >= 2 && s <= 5; }));
    EXPECT_EQ(found.front(), 2);
    EXPECT_EQ(found.back(), 5);
    EXPECT_TRUE(idsAscending());
}

TEST_F(SearchTest, JuzScopes) {
    Form6& options = form->ensureForm6();
    options.part->setCurrentIndex(29);
    setScope(&Form6::partop);
    searchFor(QStringLiteral("الله"));
    EXPECT_EQ(form->Adodc1.recordSource(),
              QStringLiteral("SELECT *  FROM Ayat where chapterNO = 30 And Ayat.AyaaIndex Like  '% "
                             "الله %'order by ID"));
    ASSERT_GT(form->results.count(), 0);
    EXPECT_TRUE(std::all_of(form->results.chapterNOlist().begin(),
                            form->results.chapterNOlist().end(),
                            [](const QString& juz) { return juz == QStringLiteral("30"); }));

    options.part1->setCurrentIndex(0);
    options.part2->setCurrentIndex(1);
    setScope(&Form6::part12op);
    searchFor(QStringLiteral("الله"));
    EXPECT_TRUE(form->Adodc1.recordSource().startsWith(QStringLiteral(
        "SELECT *  FROM Ayat where chapterNO between 1 and 2 And Ayat.AyaaIndex Like  '%")));
    ASSERT_GT(form->results.count(), 0);
    for (const QString& juz : form->results.chapterNOlist()) {
        EXPECT_TRUE(juz == QStringLiteral("1") || juz == QStringLiteral("2"));
    }
}

TEST_F(SearchTest, AScopeWithNothingPickedSearchesNumberZero) {
    searchFor(QStringLiteral("الصمد"));
    setScope(&Form6::partop);
    searchFor(QStringLiteral("الله"));
    EXPECT_TRUE(form->Adodc1.recordSource().contains(QStringLiteral("chapterNO = 0 And")));
    EXPECT_EQ(form->score->text(), QStringLiteral("0"));
    EXPECT_EQ(form->suraayaalist->count(), 0);
    EXPECT_EQ(form->results.count(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SearchTest, QuotesFindNothingAndReportNothing) {
    searchFor(QStringLiteral("x' OR '1'='1"));
    EXPECT_EQ(form->score->text(), QStringLiteral("0"));
    searchFor(QStringLiteral("'"));
    EXPECT_EQ(form->score->text(), QStringLiteral("0"));
    EXPECT_EQ(form->suraayaalist->count(), 0);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    // The pattern characters keep their meaning.
    searchFor(QStringLiteral("الصم_"));
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
    searchFor(QStringLiteral("الله%الصمد"));
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
}

TEST_F(SearchTest, AVeryLongTextFindsNothingAndDoesNotCrash) {
    searchFor(QString(100000, u'ب'));
    EXPECT_EQ(form->searcht->text().size(), 100000);
    EXPECT_EQ(form->score->text(), QStringLiteral("0"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SearchTest, ANewerSearchStartedDuringAWalkWins) {
    form->ensureForm6().withother->setChecked(true);
    bool started = false;
    // The first yield of the long walk starts another search.
    QTimer::singleShot(0, form.get(), [&] {
        started = true;
        searchFor(QStringLiteral("الصمد"));
    });
    searchFor(QStringLiteral("ا"));
    ASSERT_TRUE(started);
    EXPECT_EQ(lines(), QStringList{QStringLiteral("الإخلاص : 2")});
    EXPECT_EQ(form->score->text(), QStringLiteral("1"));
    EXPECT_EQ(suras(), std::vector<int>{112});
    EXPECT_TRUE(form->allayaasearch->isEnabled());
}

TEST_F(SearchTest, OneEnterStartsOneSearch) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->searcht->setText(QStringLiteral("الصمد"));
    form->searcht->setFocus();
    auto fills = form->results.latestFill();
    QTest::keyClick(form->searcht, Qt::Key_Return);
    EXPECT_EQ(form->results.latestFill(), fills + 1);
    EXPECT_EQ(form->score->text(), QStringLiteral("1"));

    // Enter where no control takes it reaches the window: one search too.
    form->addaya->setFocus();
    fills = form->results.latestFill();
    QTest::keyClick(form->addaya, Qt::Key_Enter);
    EXPECT_EQ(form->results.latestFill(), fills + 1);
}

TEST_F(SearchTest, OptionsWindowControlsAndInitialState) {
    form->tools->trigger();
    Form6& options = *form->form6;
    EXPECT_TRUE(options.isVisible());
    EXPECT_EQ(options.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(options.windowTitle(), QStringLiteral("خصائص البحث"));
    EXPECT_EQ(options.Frame1->title(), QStringLiteral("   خيارات البحث   "));
    EXPECT_TRUE(options.alone->isChecked());
    EXPECT_FALSE(options.withother->isChecked());
    EXPECT_TRUE(options.allsearch->isChecked());
    for (QComboBox* combo : {options.sora, options.sora1, options.sora2}) {
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(combo->currentText(), QStringLiteral("اختر إسم السورة"));
        EXPECT_EQ(combo->count(), 114);
        EXPECT_EQ(combo->itemText(72), QStringLiteral("المزمل"));
        EXPECT_EQ(combo->itemText(103), QStringLiteral("الهمزة"));
        EXPECT_EQ(combo->itemText(37), QStringLiteral("صـ"));
    }
    for (QComboBox* combo : {options.part, options.part1, options.part2}) {
        EXPECT_EQ(combo->currentText(), QStringLiteral("اختر الجزء"));
        EXPECT_EQ(combo->count(), 30);
        EXPECT_EQ(combo->itemText(0), QStringLiteral("1 "));
        EXPECT_EQ(combo->itemText(8), QStringLiteral("9 "));
        EXPECT_EQ(combo->itemText(9), QStringLiteral("10"));
        EXPECT_EQ(combo->itemText(29), QStringLiteral("30"));
        EXPECT_TRUE(combo->isEditable());
    }
    // Typing is not picking.
    options.sora->setEditText(QStringLiteral("البقرة"));
    EXPECT_EQ(options.sora->currentIndex(), -1);
    // The two groups are independent.
    options.soraop->setChecked(true);
    EXPECT_TRUE(options.alone->isChecked());
    options.withother->setChecked(true);
    EXPECT_TRUE(options.soraop->isChecked());
    EXPECT_FALSE(options.allsearch->isChecked());
    EXPECT_EQ(options.Commandfont->toolTip(), QStringLiteral("لتغير خط عرض الآيات"));
    EXPECT_EQ(options.Command1->toolTip(), QStringLiteral("إغلاق"));
}

TEST_F(SearchTest, OptionsRoundTripAndRestart) {
    form->option_Click();
    Form6* options = form->form6;
    options->soraop->setChecked(true);
    options->sora->setCurrentIndex(1);
    QTest::mouseClick(options->Command1, Qt::LeftButton);
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(form->state.searchscope, 3);
    searchFor(QStringLiteral("الله"));
    const auto found = suras();
    EXPECT_TRUE(!found.empty() &&
                std::all_of(found.begin(), found.end(), [](int s) { return s == 2; }));

    form->option_Click();
    EXPECT_EQ(form->form6, options); // the same window, shown again
    EXPECT_TRUE(options->soraop->isChecked());
    EXPECT_EQ(options->sora->currentIndex(), 1);

    // Closing by the title bar destroys it; the next one starts afresh but
    // shows the scope kept for the run.
    options->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form->form6.isNull());
    form->option_Click();
    EXPECT_TRUE(form->form6->soraop->isChecked());
    EXPECT_EQ(form->form6->sora->currentIndex(), -1);

    // A restart searches the whole text for stand-alone words again.
    start();
    EXPECT_EQ(form->state.searchscope, 0);
    EXPECT_TRUE(form->ensureForm6().allsearch->isChecked());
    EXPECT_TRUE(form->form6->alone->isChecked());
}

TEST_F(SearchTest, ClosingTheOptionsWritesTheDisplayFont) {
    form->option_Click();
    form->form6->Command1_Click();
    EXPECT_EQ(settingsBytes(folder), QByteArray("\"Tahoma\",11.25,#FALSE#,#FALSE#\r\n"));
}

TEST_F(SearchTest, AFontThatCannotBeSavedIsReportedAndTheOldFileKept) {
    form->option_Click();
    form->form6->Command1_Click();
    const QByteArray saved = settingsBytes(folder);
    ASSERT_FALSE(saved.isEmpty());
    form->Text1->setFont(QFont(QStringLiteral("Font \"Quoted\"")));
    form->option_Click();
    form->form6->Command1_Click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("تعذر حفظ الخط المختار")));
    EXPECT_EQ(messageTitles[0], applicationTitle());
    EXPECT_EQ(settingsBytes(folder), saved);

    // A write that fails: all.txt cannot be replaced while a folder holds its name.
    form->Text1->setFont(QFont(QStringLiteral("Tahoma")));
    QFile::remove(folder.file(QStringLiteral("all.txt")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("all.txt")));
    form->option_Click();
    form->form6->Command1_Click();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains(folder.file(QStringLiteral("all.txt"))));
}

TEST_F(SearchTest, SettingsFileBytesForTahoma14Bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(14);
    font.setBold(true);
    form->Text1->setFont(font);
    form->option_Click();
    form->form6->Command1_Click();
    EXPECT_EQ(settingsBytes(folder), QByteArray("\"Tahoma\",14,#FALSE#,#TRUE#\r\n"));
    start();
    EXPECT_EQ(form->Text1->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(form->Text1->font().pointSizeF(), 14);
    EXPECT_TRUE(form->Text1->font().bold());
    EXPECT_FALSE(form->Text1->font().italic());
}

TEST_F(SearchTest, FontDialogChoiceIsAppliedAndSavedOnClose) {
    form->option_Click();
    QFont wanted(QStringLiteral("Amiri"));
    wanted.setPointSize(14);
    wanted.setBold(true);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        // It opens on the face the display really uses.
        EXPECT_EQ(dialog->currentFont().family(), QFontInfo(form->Text1->font()).family());
        dialog->setCurrentFont(wanted);
        dialog->accept();
    });
    form->form6->Commandfont_Click();
    EXPECT_EQ(form->Text1->font().family(), QStringLiteral("Amiri"));
    EXPECT_EQ(form->Text1->font().pointSizeF(), 14);
    EXPECT_TRUE(form->Text1->font().bold());
    EXPECT_FALSE(form->Text1->font().italic());
    EXPECT_TRUE(settingsBytes(folder).isEmpty()); // saved only on close
    form->form6->Command1_Click();
    EXPECT_EQ(settingsBytes(folder), QByteArray("\"Amiri\",14,#FALSE#,#TRUE#\r\n"));

    // A cancelled dialog applies what it opened with: nothing changes.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
            dialog->setCurrentFont(QFont(QStringLiteral("Noto Sans Arabic"), 30));
            dialog->reject();
        }
    });
    form->option_Click();
    form->form6->Commandfont_Click();
    EXPECT_EQ(form->Text1->font().family(), QStringLiteral("Amiri"));
    EXPECT_EQ(form->Text1->font().pointSizeF(), 14);
}

TEST_F(SearchTest, CommandLinePrintsTheWindowsLines) {
    Form6& options = form->ensureForm6();
    options.sora1->setCurrentIndex(1);
    options.sora2->setCurrentIndex(4);
    setScope(&Form6::sora12op);
    searchFor(QStringLiteral("الله"));
    QStringList expected = lines();
    expected.append(form->score->text());

    QProcess cli;
    cli.start(QStringLiteral(VELMOR_TEST_PROGRAM),
              {QStringLiteral("--search"), QStringLiteral("الله"), QStringLiteral("--suras"),
               QStringLiteral("2-5")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0);
    const QStringList printed =
        QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(printed, expected);
}

TEST(SearchCommandLine, BadOptionsAndAnUnusableDatabaseFail) {
    QProcess bad;
    bad.start(QStringLiteral(VELMOR_TEST_PROGRAM),
              {QStringLiteral("--search"), QStringLiteral("الله"), QStringLiteral("--sura"),
               QStringLiteral("115")});
    ASSERT_TRUE(bad.waitForFinished(30000));
    EXPECT_NE(bad.exitCode(), 0);
    EXPECT_TRUE(bad.readAllStandardError().contains("--sura"));

    // A program folder without its database.
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("velmor"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMOR_TEST_PROGRAM), copy));
    QProcess missing;
    missing.start(copy, {QStringLiteral("--search"), QStringLiteral("الله")});
    ASSERT_TRUE(missing.waitForFinished(30000));
    EXPECT_NE(missing.exitCode(), 0);
    EXPECT_TRUE(
        QString::fromUtf8(missing.readAllStandardError()).contains(QStringLiteral("zarqen.zq")));
}
