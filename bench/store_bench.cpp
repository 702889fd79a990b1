// Data-layer timings. Targets: a warm whole-text search within 3x the
// in-memory scan of the same index strings; open + key + first query <= 40 ms.
#include "catalogue.h"
#include "jet_like.h"
#include "record_view.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

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
        benchmark::DoNotOptimize(view.field(u"soraano"));
        benchmark::DoNotOptimize(view.field(u"ayaano"));
        benchmark::DoNotOptimize(view.field(u"ID"));
        benchmark::DoNotOptimize(view.field(u"chapterNO"));
        benchmark::DoNotOptimize(view.field(u"pageno"));
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

// One warm store per benchmark run, as in the program.
void runWarm(benchmark::State& state, const QString& sql) {
    Store store;
    RecordView view(store);
    view.setConnectionString(connection());
    walk(view, sql); // warm the page cache
    int rows = 0;
    for (auto _ : state) {
        rows = walk(view, sql);
    }
    state.counters["rows"] = rows;
}

void BM_WordWholeText_Allah(benchmark::State& state) {
    runWarm(state, catalogue::wordInWholeText(QStringLiteral("الله")));
}
void BM_WordWholeText_Min(benchmark::State& state) {
    runWarm(state, catalogue::wordInWholeText(QStringLiteral("من")));
}
void BM_PartWholeText_Allah(benchmark::State& state) {
    runWarm(state, catalogue::partInWholeText(QStringLiteral("الله")));
}
void BM_PartWholeText_Min(benchmark::State& state) {
    runWarm(state, catalogue::partInWholeText(QStringLiteral("من")));
}
void BM_WholeSura2(benchmark::State& state) {
    runWarm(state, catalogue::wholeSuraInOrder(2));
}
void BM_WholeJuz30(benchmark::State& state) {
    runWarm(state, catalogue::wholeJuz(30));
}
BENCHMARK(BM_WordWholeText_Allah)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordWholeText_Min)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartWholeText_Allah)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartWholeText_Min)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeSura2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeJuz30)->Unit(benchmark::kMillisecond);

// The floor: the same matching over the index strings held in memory.
std::vector<std::string> loadIndex() {
    Store store;
    RecordView view(store);
    view.setConnectionString(connection());
    view.setRecordSource(QStringLiteral("SELECT *  FROM Ayat order by ID"));
    view.refresh();
    std::vector<std::string> index;
    for (; !view.eof(); view.moveNext()) {
        index.push_back(view.field(u"AyaaIndex").toStdString());
    }
    return index;
}

void runInMemory(benchmark::State& state, const char* pattern) {
    const std::vector<std::string> index = loadIndex();
    int rows = 0;
    for (auto _ : state) {
        const LikePattern like(pattern);
        rows = 0;
        for (const std::string& text : index) {
            rows += like.matches(text) ? 1 : 0;
        }
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

void BM_InMemoryFloor_WordAllah(benchmark::State& state) {
    runInMemory(state, "% الله %");
}
void BM_InMemoryFloor_WordMin(benchmark::State& state) {
    runInMemory(state, "% من %");
}
void BM_InMemoryFloor_PartMin(benchmark::State& state) {
    runInMemory(state, "%من%");
}
BENCHMARK(BM_InMemoryFloor_WordAllah)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InMemoryFloor_WordMin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InMemoryFloor_PartMin)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
