// A researcher's search over the text and both tafsirs. Targets: the three
// sources' words made at first use <= 200 ms; a common word found over all
// three <= 10 ms once the database is open; in the window, each keystroke
// to its first screen of results and its chart painted <= 16 ms (queries of
// one to three words over all sources).
#include "application_setup.h"
#include "connection_string.h"
#include "database.h"
#include "record_view.h"
#include "research_index.h"
#include "research_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListView>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace velmor;

store::Store* sharedStore = nullptr;

std::shared_ptr<const research::ResearchIndex> readIndex() {
    store::RecordView view(*sharedStore);
    view.setConnectionString(store::buildConnectionString(QCoreApplication::applicationDirPath()));
    auto read = research::ResearchIndex::read(view);
    return read ? *read : nullptr;
}

std::shared_ptr<const research::ResearchIndex> readIndexOnce() {
    static const auto index = readIndex();
    return index;
}

const research::ResearchIndex& shared() {
    return *readIndexOnce();
}

void BM_WordsAtFirstUse(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(readIndex());
    }
}
BENCHMARK(BM_WordsAtFirstUse)->Unit(benchmark::kMillisecond);

void BM_CommonWordInAllSources(benchmark::State& state) {
    const research::Research research{
        *research::parseQuery(QStringLiteral("الله")),
        {research::Source::Quran, research::Source::Muyassar, research::Source::Jalalayn},
        false,
        {}};
    std::size_t hits = 0;
    for (auto _ : state) {
        hits = shared().find(research).size();
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_CommonWordInAllSources)->Unit(benchmark::kMillisecond);

void BM_ThreeTermsPartInAllSources(benchmark::State& state) {
    const research::Research research{
        *research::parseQuery(QStringLiteral("موسى|عيسى \"بني إسرائيل\" -فرعون")),
        {research::Source::Quran, research::Source::Muyassar, research::Source::Jalalayn},
        true,
        {}};
    std::size_t hits = 0;
    for (auto _ : state) {
        hits = shared().find(research).size();
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_ThreeTermsPartInAllSources)->Unit(benchmark::kMillisecond);

// From a keystroke to the first screen of hits and the chart painted, over
// all three sources, the queries growing a word at a time as typed.
void BM_WindowKeystroke(benchmark::State& state) {
    ResearchWindow window([] { return readIndexOnce(); }, nullptr);
    for (QCheckBox* box : window.sourceBoxes) {
        box->setChecked(true);
    }
    window.resize(900, 640);
    window.show();
    const QStringList typed{QStringLiteral("موسى"),
                            QStringLiteral("موسى فرعون"),
                            QStringLiteral("موسى فرعون -هارون"),
                            QStringLiteral("الربا"),
                            QStringLiteral("\"رب العالمين\""),
                            QStringLiteral("الله")};
    int k = 0;
    std::size_t hits = 0;
    for (auto _ : state) {
        window.queryBox->setEditText(typed[k++ % typed.size()]);
        window.list->viewport()->repaint();
        window.chart->repaint();
        hits += window.all().size();
    }
    state.counters["hits_per_keystroke"] =
        static_cast<double>(hits) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WindowKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    store::Store store;
    sharedStore = &store;
    if (readIndex() == nullptr) {
        std::fprintf(stderr, "the database cannot be read\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
