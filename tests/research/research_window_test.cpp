// The advanced search's window, driven as a reader drives it, over the
// generated database, with the packages searched apart as the oracle.
#include "library.h"
#include "reader_fixture.h"
#include "scripture.h"
#include "typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace velmor;

namespace {

QList<qint64> everywhere(const char* word) {
    return test::referenceSearch(QString::fromUtf8(word), true,
                                 [](const test::AyaPlace&) { return true; });
}

} // namespace

class ResearchWindowTest : public ReaderWindowTest {
protected:
    ResearchWindow* openResearch() {
        form->researching->trigger();
        ResearchWindow* window = form->researchWindow();
        if (window != nullptr) {
            // Each test starts from the designed choices.
            window->sourceBoxes[0]->setChecked(true);
            window->sourceBoxes[1]->setChecked(false);
            window->sourceBoxes[2]->setChecked(false);
            window->partialBox->setChecked(false);
            window->scopePicker->setCurrentIndex(0);
        }
        return window;
    }
    QList<qint64> idsShown(const ResearchWindow& window) const {
        QList<qint64> ids;
        for (const research::Hit& hit : window.shown()) {
            const qint64 id = static_cast<qint64>(hit.aya) + 1;
            if (ids.isEmpty() || ids.last() != id) {
                ids.append(id);
            }
        }
        return ids;
    }
};

TEST_F(ResearchWindowTest, FindsAsTheReaderTypesAndSaysWhatItCannotRead) {
    ResearchWindow* window = openResearch();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("البحث المتقدم"));
    window->queryBox->lineEdit()->setFocus();
    test::typeInto(window->queryBox->lineEdit(), QStringLiteral("موسى -فرعون"));
    QList<qint64> expected = everywhere("موسى");
    const QList<qint64> firawn = everywhere("فرعون");
    expected.removeIf([&](qint64 id) { return firawn.contains(id); });
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(idsShown(*window), expected);
    EXPECT_TRUE(
        window->totalLine->text().startsWith(QStringLiteral("الآيات: %1 ").arg(expected.size())))
        << window->totalLine->text().toStdString();
    window->queryBox->setEditText(QStringLiteral("\"رب العالمين"));
    EXPECT_TRUE(window->shown().empty());
    EXPECT_EQ(window->messageLine->text(), QStringLiteral("علامة التنصيص غير مغلقة."));
}

TEST_F(ResearchWindowTest, TheChartNarrowsToASuraAndAClickAgainClears) {
    ResearchWindow* window = openResearch();
    window->sourceBoxes[0]->setChecked(false);
    window->sourceBoxes[1]->setChecked(true);
    window->queryBox->setEditText(QStringLiteral("الربا"));
    const std::size_t all = window->shown().size();
    ASSERT_GT(all, 5U);
    for (const research::Hit& hit : window->shown()) {
        EXPECT_EQ(hit.source, research::Source::Muyassar);
    }
    window->resize(900, 640);
    window->show();
    const QPoint bar = window->chart->barRect(2).center();
    QTest::mouseClick(window->chart, Qt::LeftButton, {}, bar);
    EXPECT_EQ(window->chart->chosen(), 2);
    ASSERT_FALSE(window->shown().empty());
    EXPECT_LT(window->shown().size(), all);
    for (const research::Hit& hit : window->shown()) {
        EXPECT_EQ(test::packagePlaces()[hit.aya].sura, 2);
    }
    QTest::mouseClick(window->chart, Qt::LeftButton, {}, bar);
    EXPECT_EQ(window->chart->chosen(), 0);
    EXPECT_EQ(window->shown().size(), all);
}

TEST_F(ResearchWindowTest, AChosenHitMovesBothWindowsAndTheHitsExportAsCsv) {
    ReaderWindow* reader = openReader();
    ASSERT_NE(reader, nullptr);
    ResearchWindow* window = openResearch();
    window->queryBox->setEditText(QStringLiteral("\"وأحل الله البيع\""));
    ASSERT_EQ(window->shown().size(), 1U);
    window->list->setCurrentIndex(window->list->model()->index(0, 0));
    EXPECT_EQ(reader->session().current(), idOf(2, 275));
    EXPECT_TRUE(form->Text1->toPlainText().endsWith(QStringLiteral(" (البقرة : 275 )")))
        << form->Text1->toPlainText().toStdString();
    // The query was kept with the library's history.
    EXPECT_EQ(form->ensureLibrary()->researches().value().value(0),
              QStringLiteral("\"وأحل الله البيع\""));
    QTemporaryDir exports;
    const QString path = exports.filePath(QStringLiteral("hits.csv"));
    window->chooseExportFile = [&] { return path; };
    window->sourceBoxes[1]->setChecked(true);
    window->queryBox->setEditText(QStringLiteral("الربا"));
    window->exportButton->click();
    const QByteArray csv = test::fileBytes(path);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF")) << csv.left(20).toStdString();
    const QStringList lines =
        QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.value(0), QStringLiteral("المرجع,السورة,الآية,المصدر,النص المطابق"));
    ASSERT_EQ(static_cast<std::size_t>(lines.size()), window->shown().size() + 1);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("2:275,البقرة,275,القرآن,")))
        << lines[1].toStdString();
}

TEST_F(ResearchWindowTest, CtrlShiftFInTheReadingWindowOpensIt) {
    ReaderWindow* reader = openReader();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(form->researchWindow(), nullptr);
    QTest::keyClick(reader, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_NE(form->researchWindow(), nullptr);
    EXPECT_TRUE(form->researchWindow()->isVisible());
}
