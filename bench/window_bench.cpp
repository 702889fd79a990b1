// Window-level timings, offscreen, from the command to the first aya shown.
// Targets: whole-text "الله" <= 30 ms; partial "ا" (about every aya) <= 120 ms.
#include "fonts.h"
#include "form1.h"
#include "form5.h"
#include "form6.h"
#include "form7.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <benchmark/benchmark.h>

namespace {

velmor::Form1* window = nullptr;

void search(benchmark::State& state, const QString& text, bool wholeWord) {
    velmor::Form6& options = window->ensureForm6();
    (wholeWord ? options.alone : options.withother)->setChecked(true);
    window->searcht->setText(text);
    window->search_Click(); // warm
    for (auto _ : state) {
        window->search_Click();
    }
    state.counters["results"] = window->results.count();
}

void BM_SearchWholeWord_Allah(benchmark::State& state) {
    search(state, QStringLiteral("الله"), true);
}
void BM_SearchPartial_Alef(benchmark::State& state) {
    search(state, QStringLiteral("ا"), false);
}
BENCHMARK(BM_SearchWholeWord_Allah)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchPartial_Alef)->Unit(benchmark::kMillisecond);

// Composition, from the window's opening to the text shown. Targets: sura 2
// (286 ayas) <= 50 ms; 50 chosen ayas <= 100 ms.
void compose(benchmark::State& state) {
    for (auto _ : state) {
        window->openForm5();
        while (!window->form5->isComposed()) {
            QCoreApplication::processEvents();
        }
        state.PauseTiming();
        window->form5->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void BM_ComposeWholeSura2(benchmark::State& state) {
    window->state.makemode = 1;
    window->state.makesora = 2;
    compose(state);
}
BENCHMARK(BM_ComposeWholeSura2)->Unit(benchmark::kMillisecond);

void BM_ComposeFiftyChosen(benchmark::State& state) {
    while (window->chosenList.count() > 0) {
        window->chosenList.remove(0);
    }
    for (int id = 1; id <= 50; ++id) {
        window->chosenList.add(
            QStringLiteral("line %1").arg(id), QString::number(id * 100), false, [] {}, [] {});
    }
    window->state.makemode = 2;
    compose(state);
}
BENCHMARK(BM_ComposeFiftyChosen)->Unit(benchmark::kMillisecond);

// Finder picks, from the pick to the first aya shown. Target: <= 40 ms each.
void finderPick(benchmark::State& state, QComboBox* velmor::Form7::*box, int index) {
    window->fullsearch_Click();
    velmor::Form7& finder = *window->form7;
    for (auto _ : state) {
        (finder.*box)->setCurrentIndex(index);
        emit(finder.*box)->activated(index);
    }
    state.counters["results"] = window->results.count();
}
void BM_FinderJuz1(benchmark::State& state) {
    finderPick(state, &velmor::Form7::tafsercombo, 0);
}
void BM_FinderJuz30(benchmark::State& state) {
    finderPick(state, &velmor::Form7::tafsercombo, 29);
}
void BM_FinderSura2(benchmark::State& state) {
    finderPick(state, &velmor::Form7::searchname, 1);
}
BENCHMARK(BM_FinderJuz1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinderJuz30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinderSura2)->Unit(benchmark::kMillisecond);

// What the one yield per row costs on its own, for the largest listing.
void BM_YieldsOnly_6236(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < 6236; ++i) {
            window->yieldToEventLoop();
        }
    }
}
BENCHMARK(BM_YieldsOnly_6236)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    velmor::registerFontSubstitutions();
    velmor::Form1 form(QCoreApplication::applicationDirPath());
    form.messageBox = [](const QString&, const QString&) {};
    form.Form_Load();
    form.show();
    QCoreApplication::processEvents();
    window = &form;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
