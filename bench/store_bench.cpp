// Data-layer timings. Targets: a warm whole-text search within 2x the
// independent in-memory floor (vs_floor <= 2); open + key + first query
// <= 40 ms.
#include "catalogue.h"
#include "command_line.h"
#include "jet_like.h"
#include "record_view.h"

#include <QFileInfo>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <vector>

using namespace velmor::store;

namespace {

QString connection() {
    return buildConnectionString(QFileInfo(QStringLiteral(VELMOR_BENCH_DATABASE)).absolutePath());
}

// Walks a query reading the five numbers a result row keeps. Making the
// display line from them is the results' work (see window_bench).
int walk(RecordView& view, const QString& sql) {
    view.setRecordSource(sql);
    view.refresh();
    int rows = 0;
    for (; !view.eof(); view.moveNext()) {
        for (const char16_t* column : {u"ID", u"soraano", u"ayaano", u"chapterNO", u"pageno"}) {
            benchmark::DoNotOptimize(view.integer(QStringView(column)));
        }
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

// "velmor --compose 1,2,...,6236": every aya looked up by its ID, then
// composed, in a fresh store as the command starts. Target: under 1 s.
// Runs a command line as the program does, its output to /dev/null.
void runQuietly(benchmark::State& state, const QStringList& arguments) {
    const velmor::CommandLine command = velmor::parseCommandLine(arguments);
    std::FILE* nowhere = std::fopen("/dev/null", "w");
    if (nowhere == nullptr) {
        state.SkipWithError("cannot open /dev/null");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmor::runCommandLine(
            command, QFileInfo(QStringLiteral(VELMOR_BENCH_DATABASE)).absolutePath(), nowhere,
            stderr));
    }
    std::fclose(nowhere);
}

void BM_ComposeEveryId(benchmark::State& state) {
    QStringList ids;
    for (int id = 1; id <= 6236; ++id) {
        ids.append(QString::number(id));
    }
    runQuietly(state, {QStringLiteral("velmor"), QStringLiteral("--compose"), ids.join(u',')});
}
BENCHMARK(BM_ComposeEveryId)->Unit(benchmark::kMillisecond);

// A million '%' around one letter, which 6149 ayas hold: the search, then the
// same with each result's stretches (the pattern compiled once for the
// search, its run of '%' one; compiled for each aya it took 18.7 s).
// Target: --spans under 0.5 s.
QStringList millionPercent(bool spans) {
    const QString runs(500000, u'%');
    QStringList arguments{QStringLiteral("velmor"), QStringLiteral("--search"),
                          runs + QStringLiteral("ا") + runs, QStringLiteral("--partial")};
    if (spans) {
        arguments.append(QStringLiteral("--spans"));
    }
    return arguments;
}
void BM_SearchMillionPercent(benchmark::State& state) {
    runQuietly(state, millionPercent(false));
}
void BM_SpansMillionPercent(benchmark::State& state) {
    runQuietly(state, millionPercent(true));
}
BENCHMARK(BM_SearchMillionPercent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpansMillionPercent)->Unit(benchmark::kMillisecond);

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
// the counter vs_floor is the search's best time over the floor's best, both
// in this run: the best of each, so that a busy machine does not bias it.
void runWarm(benchmark::State& state, const QString& sql, const char* floorNeedle = nullptr) {
    Store store;
    RecordView view(store);
    view.setConnectionString(connection());
    walk(view, sql); // the first query after opening
    int rows = 0;
    double best = 1e12;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        rows = walk(view, sql);
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    state.counters["rows"] = rows;
    state.counters["best_us"] = best;
    if (floorNeedle != nullptr && state.iterations() > 0) {
        const double floor = floorMicroseconds(floorNeedle);
        state.counters["floor_us"] = floor;
        state.counters["vs_floor"] = best / floor;
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
// The plain alternative to the copy in memory, with the same SQL texts: a
// temporary table made from the file's (CREATE TEMP TABLE ... AS SELECT),
// temporary indexes on soraano and chapterNO, and the program's own like().
// The copy is kept only while it is at least twice as fast on the
// whole-text searches (vt_speedup >= 2).
void runPlain(benchmark::State& state, const QString& sql) {
    sqlite3* db = nullptr;
    const QString path = QStringLiteral(VELMOR_BENCH_DATABASE);
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const std::string setUp = keyStatements(QLatin1String(kDatabasePassword)) +
                              " CREATE TEMP TABLE Ayat AS SELECT * FROM main.Ayat;"
                              " CREATE INDEX temp.PlainSoraano ON Ayat (soraano);"
                              " CREATE INDEX temp.PlainChapterNO ON Ayat (chapterNO);";
    if (installJetLike(db) != SQLITE_OK ||
        sqlite3_exec(db, setUp.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_close(db);
        return;
    }
    const QByteArray text = sql.toUtf8();
    int rows = 0;
    double best = 1e12;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, text.constData(), -1, &statement, nullptr);
        rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int column = 0; column < 5; ++column) {
                benchmark::DoNotOptimize(sqlite3_column_int64(statement, column));
            }
            ++rows;
        }
        sqlite3_finalize(statement);
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    state.counters["rows"] = rows;
    state.counters["best_us"] = best;
    sqlite3_close(db);
}

void BM_Plain_WordWholeText_Allah(benchmark::State& state) {
    runPlain(state, catalogue::wordInWholeText(QStringLiteral("الله")));
}
void BM_Plain_WordWholeText_Min(benchmark::State& state) {
    runPlain(state, catalogue::wordInWholeText(QStringLiteral("من")));
}
void BM_Plain_PartWholeText_Min(benchmark::State& state) {
    runPlain(state, catalogue::partInWholeText(QStringLiteral("من")));
}
BENCHMARK(BM_Plain_WordWholeText_Allah)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plain_WordWholeText_Min)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plain_PartWholeText_Min)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_WordWholeText_Allah)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordWholeText_Min)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartWholeText_Min)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeSura2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeJuz30)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
