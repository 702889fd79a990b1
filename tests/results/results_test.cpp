#include "form1.h"
#include "form5.h"
#include "long_text_box.h"
#include "main_window_fixture.h"
#include "run_program.h"
#include "scripture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

class ResultsTest : public test::MainWindowTest {
protected:
    // Ayat al-Kursi (2:255, ID 262) is the first hit of its opening words.
    void selectAyatAlKursi() {
        searchFor(QStringLiteral("الله لا إله إلا هو الحي القيوم"));
        ASSERT_EQ(lines().value(0), QStringLiteral("البقرة : 255"));
    }

    Form5* composed() {
        Form5* window = nullptr;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return (window = test::openWindow<Form5>()) && window->isComposed(); }, 5000));
        return window;
    }

    void chooseResultOf(const QString& search) {
        searchFor(search);
        form->suraayaalist_DblClick();
    }
};

QString wholeSuraText(int firstId, int count) {
    QString text;
    for (int n = 1; n <= count; ++n) {
        text += test::packageAyaText(firstId + n - 1) + QStringLiteral(" (%1) ").arg(n);
    }
    return text;
}

} // namespace

TEST_F(ResultsTest, SelectingAResultShowsTheAyaAndItsDetails) {
    selectAyatAlKursi();
    // Shown twice: the reference still appears once.
    form->suraayaalist_Click();
    const QString display = test::packageAyaText(262) + QStringLiteral(" (البقرة : 255 )");
    EXPECT_EQ(form->Text1->document()->toRawText(), display);
    EXPECT_EQ(form->Text2->toPlainText(), test::packageTafsir(262));
    const QStringList details{form->typetext->text(), form->soraayanum->text(),
                              form->chapterNOtext->text(), form->pagenotext->text()};
    EXPECT_EQ(details, (QStringList{QStringLiteral("مدنية"), QStringLiteral("286"),
                                    QStringLiteral("3"), QStringLiteral("42")}));

    // The copy is exact: the text's no-break spaces included.
    form->copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), display);
}

// The list's rules are unit-tested with the chosen list; here, the wiring.
TEST_F(ResultsTest, TheChosenListHoldsEachAyaOnceWithItsId) {
    // Nothing is added, nor a duplicate said, while the display is empty.
    searchFor(QStringLiteral("الصمد"));
    form->Text1->clear();
    form->suraayaalist_DblClick();
    EXPECT_EQ(form->chosenList().count(), 0);
    // "الله الصمد" finds the same aya as "الصمد": one duplicate message.
    for (const char* text : {"الصمد", "قل هو الله أحد", "الله الصمد"}) {
        chooseResultOf(QString::fromUtf8(text));
    }
    EXPECT_EQ(lines(form->addaya),
              (QStringList{QStringLiteral("الإخلاص : 2"), QStringLiteral("الإخلاص : 1")}));
    EXPECT_EQ(form->chosenList().ids(), (QList<qint64>{6223, 6222}));
    EXPECT_EQ(messages, QStringList{QStringLiteral("لقد تمت إضافة هذه الآية سابقا")});
    EXPECT_EQ(messageTitles, QStringList{applicationTitle()});

    form->addaya->setCurrentRow(0);
    form->addaya_DblClick();
    EXPECT_EQ(lines(form->addaya), QStringList{QStringLiteral("الإخلاص : 1")});
    EXPECT_EQ(form->chosenList().ids(), QList<qint64>{6222});
}

// The chosen list's scan yields; a search, a listing or a close started
// then changes neither what is added nor with which ID.
TEST_F(ResultsTest, WhatTheScanAddsIsTheResultChosenWhateverStartsDuringIt) {
    chooseResultOf(QStringLiteral("الصمد"));
    const std::vector<std::function<void()>> interruptions{
        [this] { searchFor(QStringLiteral("الناس")); },
        [this] { form->allayaasearch_Click(); },
        [this] { form->close(); },
    };
    for (std::size_t k = 0; k < interruptions.size(); ++k) {
        selectAyatAlKursi();
        QTimer::singleShot(0, form.get(), interruptions[k]);
        form->suraayaalist_DblClick();
        EXPECT_EQ(form->chosenList().lines().constLast(), QStringLiteral("البقرة : 255")) << k;
        EXPECT_EQ(form->chosenList().ids().constLast(), 262) << k;
        form->addaya->setCurrentRow(static_cast<int>(form->chosenList().count()) - 1);
        form->addaya_DblClick();
    }
}

TEST_F(ResultsTest, TheSuraButtonListsTheWholeSuraWhichCanThenBeComposed) {
    searchFor(QStringLiteral("الصمد"));
    // Word search results are not one whole sura.
    form->allayaa_Click();
    EXPECT_EQ(messageTitles, QStringList{QStringLiteral("خطأ")});
    EXPECT_EQ(messages, QStringList{QStringLiteral("إن نتائج البحث ليست لسورة واحدة")});
    EXPECT_EQ(test::openWindow<Form5>(), nullptr);

    QTest::mouseClick(form->allayaasearch, Qt::LeftButton);
    EXPECT_EQ(lines(), QStringList({"الإخلاص : 1", "الإخلاص : 2", "الإخلاص : 3", "الإخلاص : 4"}));
    EXPECT_EQ(form->score->text(), QStringLiteral("4"));

    form->allayaa->trigger();
    Form5* window = composed();
    ASSERT_NE(window, nullptr);
    const QString expected = wholeSuraText(6222, 4);
    EXPECT_EQ(window->composedText(), expected);
    EXPECT_EQ(test::runVelmor({QStringLiteral("--compose-sura"), QStringLiteral("112")}).out,
              expected.toUtf8());
}

TEST_F(ResultsTest, ChosenAyasAreComposedOncePerOpeningAndCopiedWithTheirLineBreaks) {
    selectAyatAlKursi();
    form->suraayaalist_DblClick();
    chooseResultOf(QStringLiteral("بسم الله الرحمن الرحيم"));
    form->chosen->trigger();
    Form5* window = composed();
    ASSERT_NE(window, nullptr);
    const QString expected = test::packageAyaText(262) +
                             QStringLiteral(" ( البقرة : 255 )\r\n\r\n") + test::packageAyaText(1) +
                             QStringLiteral(" ( الفاتحة : 1 )\r\n\r\n");
    EXPECT_EQ(window->composedText(), expected);
    window->Form_Activate();
    EXPECT_EQ(window->composedText(), expected);
    window->copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
    EXPECT_EQ(test::runVelmor({QStringLiteral("--compose"), QStringLiteral("262,1")}).out,
              expected.toUtf8());

    // An empty list composes an empty text.
    start();
    form->chosen_Click();
    window = composed();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->composedText().isEmpty());
}

TEST_F(ResultsTest, ClosingTheComposeWindowMidwayStopsIt) {
    searchFor(QStringLiteral("ذلك الكتاب لا ريب فيه"));
    form->allayaasearch_Click(); // sura 2, 286 ayas
    form->allayaa_Click();
    auto* window = test::openWindow<Form5>();
    ASSERT_NE(window, nullptr);
    QPointer<Form5> watched(window);
    bool closedMidway = false;
    // Closed from inside the composition's first yield, while it is under way.
    QTimer::singleShot(0, window, [&] {
        closedMidway =
            window->isComposed() && window->Text2->text().startsWith(QStringLiteral("يرجى"));
        window->close();
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return watched.isNull(); }, 5000));
    EXPECT_TRUE(closedMidway);
    EXPECT_EQ(form->results().count(), 286);
}
