// Checking quotations and finding similar ayas, over the generated
// database. Targets: --verify's search of a 10,000-word text holding 50
// quotations <= 100 ms once the database is open; the window marks a
// pasted page of 2,000 words in <= 50 ms with no turn of its event loop
// longer than 16 ms; the similar ayas of one aya <= 2 ms, of every aya at
// first use <= 500 ms; the indexes' memory <= 20 MB (printed first).
#include "application_setup.h"
#include "connection_string.h"
#include "database.h"
#include "text_indexes.h"
#include "verify_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>

namespace {

using namespace velmor;

store::Store* sharedStore = nullptr;

QString connection() {
    return store::buildConnectionString(QCoreApplication::applicationDirPath());
}

std::shared_ptr<verify::TextIndexes>& indexes() {
    static auto shared = std::make_shared<verify::TextIndexes>(*sharedStore, connection());
    return shared;
}

// Prose of about `words` words with `quotations` stretches of the text in
// it, every third with a word changed.
QString textWithQuotations(int words, int quotations) {
    static const QStringList prose =
        QStringLiteral(
            "ذهب الطالب إلى المدرسة صباحا وكتب درسه في الدفتر ثم عاد إلى البيت وتناول طعامه "
            "مع أسرته وتحدثوا عن أخبار اليوم والسوق والعمل والسفر والمطر والحديقة والكتاب الجديد")
            .split(u' ');
    const verify::QuranWords& quran = *indexes()->words();
    std::mt19937 random(42);
    QStringList out;
    const int between = words / quotations;
    for (int q = 0; q < quotations; ++q) {
        for (int k = 0; k < between - 10; ++k) {
            out.append(prose[static_cast<qsizetype>(random() % prose.size())]);
        }
        const std::size_t first = random() % (quran.size() - 10);
        for (std::size_t k = first; k < first + 10; ++k) {
            out.append(q % 3 == 2 && k == first + 5 ? QStringLiteral("حاسوب") : quran.marked(k));
        }
    }
    return out.join(u' ');
}

void BM_VerifyTenThousandWords(benchmark::State& state) {
    const auto finder = indexes()->finder();
    const QString text = textWithQuotations(10000, 50);
    std::size_t found = 0;
    for (auto _ : state) {
        found = finder->find(text).size();
    }
    state.counters["quotations"] = static_cast<double>(found);
}
BENCHMARK(BM_VerifyTenThousandWords)->Unit(benchmark::kMillisecond);

// The words read from the open database and both indexes made.
void BM_IndexesAtFirstUse(benchmark::State& state) {
    for (auto _ : state) {
        verify::TextIndexes fresh(*sharedStore, connection());
        benchmark::DoNotOptimize(fresh.finder());
        benchmark::DoNotOptimize(fresh.similar());
    }
}
BENCHMARK(BM_IndexesAtFirstUse)->Unit(benchmark::kMillisecond);

void BM_SimilarOfOneAya(benchmark::State& state) {
    const auto similar = indexes()->similar();
    const std::size_t ayas = similar->quran().ayas().size();
    std::size_t aya = 0;
    double worst = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        benchmark::DoNotOptimize(similar->of(aya));
        worst = std::max(worst, static_cast<double>(clock.nsecsElapsed()) / 1e6);
        aya = (aya + 1) % ayas;
    }
    state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_SimilarOfOneAya)->Unit(benchmark::kMicrosecond)->Iterations(6236);

void BM_SimilarOfEveryAya(benchmark::State& state) {
    for (auto _ : state) {
        verify::SimilarAyas similar(indexes()->words());
        std::size_t pairs = 0;
        for (std::size_t aya = 0; aya < similar.quran().ayas().size(); ++aya) {
            pairs += similar.of(aya).size();
        }
        state.counters["pairs"] = static_cast<double>(pairs);
    }
}
BENCHMARK(BM_SimilarOfEveryAya)->Unit(benchmark::kMillisecond);

// From the paste to the marks set, with the longest wait of a 1 ms timer
// on the window's event loop meanwhile.
void BM_WindowMarksPastedPage(benchmark::State& state) {
    VerifyWindow window(indexes());
    window.show();
    const QString page = textWithQuotations(2000, 10);
    double longest = 0;
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    bool alternate = false;
    for (auto _ : state) {
        bool done = false;
        const auto connection =
            QObject::connect(&window, &VerifyWindow::checked, [&] { done = true; });
        sinceTick.start();
        tick.start();
        window.setText(alternate ? page + u'.' : page);
        alternate = !alternate;
        while (!done) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        tick.stop();
        QObject::disconnect(connection);
    }
    state.counters["longest_turn_ms"] = longest;
    state.counters["quotations"] = static_cast<double>(window.quotations().size());
}
BENCHMARK(BM_WindowMarksPastedPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    store::Store store;
    sharedStore = &store;
    const auto words = indexes()->words();
    if (!words) {
        std::fprintf(stderr, "the database cannot be read\n");
        return 1;
    }
    std::printf("index memory: words %.1f MB, quotation pairs %.1f MB, similar pairs %.1f MB\n",
                static_cast<double>(words->bytes()) / 1e6,
                static_cast<double>(indexes()->finder()->bytes()) / 1e6,
                static_cast<double>(indexes()->similar()->bytes()) / 1e6);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
