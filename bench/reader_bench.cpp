// The reading window, offscreen, each step to its text painted.
// Targets: opening on 2:255 (a sura of 286 ayas) <= 50 ms; next aya,
// following a new selection, switching the tafsir source and changing a
// size <= 16 ms each (one frame); the window open on sura 2 adds at most
// 15 MB to the process's peak memory (printed before the timings).
#include "application_setup.h"
#include "bench_window.h"
#include "form1.h"
#include "reader_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sys/resource.h>

namespace {

velmor::Form1* window = nullptr;

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs what the change scheduled, as the next frame does: the posted
// layout requests and the update of the window's backing store.
void paint(QWidget& widget) {
    widget.update();
    QCoreApplication::processEvents();
}

velmor::ReaderWindow& reader() {
    if (window->readerWindow() == nullptr) {
        window->reading_Click();
    }
    return *window->readerWindow();
}

void BM_OpenOn2_255(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        delete window->readerWindow();
        window->searcht->setText(QStringLiteral("القيوم"));
        window->search_Click(); // 2:255 is the aya shown
        state.ResumeTiming();
        window->reading_Click();
        paint(*window->readerWindow());
    }
}
BENCHMARK(BM_OpenOn2_255)->Unit(benchmark::kMillisecond);

void BM_NextAya(benchmark::State& state) {
    velmor::ReaderWindow& shown = reader();
    shown.goTo(QStringLiteral("2:100"));
    bool forward = true;
    for (auto _ : state) {
        forward ? shown.nextAya() : shown.previousAya();
        forward = !forward;
        paint(shown);
    }
}
BENCHMARK(BM_NextAya)->Unit(benchmark::kMillisecond);

void BM_FollowNewSelection(benchmark::State& state) {
    velmor::ReaderWindow& shown = reader();
    window->searcht->setText(QStringLiteral("الله"));
    window->search_Click();
    int row = 0;
    for (auto _ : state) {
        window->suraayaalist->setCurrentRow(row = (row + 1) % 200); // within suras 1 to 3
        paint(shown);
    }
}
BENCHMARK(BM_FollowNewSelection)->Unit(benchmark::kMillisecond);

void BM_SwitchTafsirSource(benchmark::State& state) {
    velmor::ReaderWindow& shown = reader();
    shown.goTo(QStringLiteral("2:255"));
    bool jalalayn = true;
    for (auto _ : state) {
        shown.setTafsirSource(jalalayn ? velmor::TafsirSource::Jalalayn
                                       : velmor::TafsirSource::Muyassar);
        jalalayn = !jalalayn;
        paint(shown);
    }
}
BENCHMARK(BM_SwitchTafsirSource)->Unit(benchmark::kMillisecond);

void BM_ChangeScriptureSize(benchmark::State& state) {
    velmor::ReaderWindow& shown = reader();
    shown.goTo(QStringLiteral("2:255"));
    const double size = shown.preferences().scriptureSize;
    bool larger = true;
    for (auto _ : state) {
        shown.setScriptureSize(larger ? size + 1 : size);
        larger = !larger;
        paint(shown);
    }
}
BENCHMARK(BM_ChangeScriptureSize)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir configuration; // the window's settings stay out of the user's
    qputenv("XDG_CONFIG_HOME", configuration.path().toUtf8());
    const QTemporaryDir data; // and its library
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QApplication app(argc, argv);
    velmor::setUpApplication(app);
    const auto form = startMainWindow();
    window = form.get();
    form->searcht->setText(QStringLiteral("القيوم"));
    form->search_Click();
    paint(*form);

    const long before = peakKilobytes();
    form->reading_Click();
    paint(*form->readerWindow());
    std::printf("reader_peak_growth_MB %.1f (target <= 15)\n",
                static_cast<double>(peakKilobytes() - before) / 1024.0);
    std::fflush(stdout);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
