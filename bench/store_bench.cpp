// Data-layer timings. Targets: a warm whole-text search within 2x the
// independent in-memory floor (vs_floor <= 2); open + key + first query
// <= 40 ms.
#include "catalogue.h"
#include "record_view.h"
#include "result_set.h"

#include <QFileInfo>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

using namespace velmor::store;

namespace {

QString connection() {
    return buildConnectionString(QFileInfo(QStringLiteral(VELMOR_BENCH_DATABASE)).absolutePath());
}

// Walks a query reading the five values a result line needs, as a fill does.
int walk(RecordView& view, const QString& sql) {
    view.setRecordSource(sql);
    view.refresh();
    int rows = 0;
    for (; !view.eof(); view.moveNext()) {
        benchmark::DoNotOptimize(velmor::resultRowOf(view));
        ++rows;
    }
    return rows;
}

void BM_OpenKeyAndFirstQuery(benchmark::State& state) {
    for (auto _ : state) {
        Store store;
        RecordView view(store);
        view.setConnectionString(connection());
        view.setRecordSource(catalogue::oneAya(262));
        view.refresh();
        benchmark::DoNotOptimize(view.field(u"ayaa"));
    }
}
BENCHMARK(BM_OpenKeyAndFirstQuery)->Unit(benchmark::kMillisecond);

// The independent floor: the 6236 index strings in memory, each searched
// with the standard library's Boyer-Moore-Horspool searcher, without the
// project's matcher. Microseconds per whole-text search, best of 20.
double floorMicroseconds(const std::string& needle) {
    static const std::vector<std::string> index = [] {
        Store store;
        RecordView view(store);
        view.setConnectionString(connection());
        view.setRecordSource(QStringLiteral("SELECT *  FROM Ayat order by ID"));
        view.refresh();
        std::vector<std::string> strings;
        for (; !view.eof(); view.moveNext()) {
            strings.push_back(view.field(u"AyaaIndex").toStdString());
        }
        return strings;
    }();
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    double best = 1e12;
    for (int round = 0; round < 20; ++round) {
        const auto start = std::chrono::steady_clock::now();
        int rows = 0;
        for (const std::string& text : index) {
            rows += std::search(text.begin(), text.end(), searcher) != text.end() ? 1 : 0;
        }
        benchmark::DoNotOptimize(rows);
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

// One warm store per benchmark run, as in the program. With a floor needle,
// the counter vs_floor is the search's time over the floor's, in this run.
void runWarm(benchmark::State& state, const QString& sql, const char* floorNeedle = nullptr) {
    Store store;
    RecordView view(store);
    view.setConnectionString(connection());
    walk(view, sql); // warm the page cache
    int rows = 0;
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        rows = walk(view, sql);
        total += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                     .count();
    }
    state.counters["rows"] = rows;
    if (floorNeedle != nullptr && state.iterations() > 0) {
        const double floor = floorMicroseconds(floorNeedle);
        state.counters["floor_us"] = floor;
        state.counters["vs_floor"] = total / static_cast<double>(state.iterations()) / floor;
    }
}

void BM_WordWholeText_Allah(benchmark::State& state) {
    runWarm(state, catalogue::wordInWholeText(QStringLiteral("الله")), " الله ");
}
void BM_WordWholeText_Min(benchmark::State& state) {
    runWarm(state, catalogue::wordInWholeText(QStringLiteral("من")), " من ");
}
void BM_PartWholeText_Min(benchmark::State& state) {
    runWarm(state, catalogue::partInWholeText(QStringLiteral("من")), "من");
}
void BM_WholeSura2(benchmark::State& state) {
    runWarm(state, catalogue::wholeSuraInOrder(2));
}
void BM_WholeJuz30(benchmark::State& state) {
    runWarm(state, catalogue::wholeJuz(30));
}
BENCHMARK(BM_WordWholeText_Allah)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordWholeText_Min)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartWholeText_Min)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeSura2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeJuz30)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
