// The update notice fetched from hostile servers, each on a thread of its
// own sending as fast as the connection takes it, while a 1 ms timer ticks
// on the event loop the fetch runs on. Targets: no gap between two ticks
// longer than a frame (16 ms), and the process's peak memory growing by no
// more than a few MiB (4), whatever the server sends; each fetch ends by
// itself (the body or head limit, or the 2 s time-out here).
#include "notice_fetch.h"
#include "notice_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void fetchFrom(benchmark::State& state, const QByteArray& head, const QByteArray& piece) {
    for (auto _ : state) {
        velmor::test::FloodServer server(head, piece);
        velmor::NoticeLimits limits;
        limits.timeoutMs = 2000;
        velmor::NoticeFetch fetch(limits);
        bool ended = false;
        QObject::connect(&fetch, &velmor::NoticeFetch::finished, [&] { ended = true; });
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout,
                         [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        const long before = peakKilobytes();
        ticks.start(1);
        sinceTick.start();
        fetch.start(QUrl(server.url()));
        while (!ended) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.counters["longest_gap_ms"] = double(longestGap);
        state.counters["peak_growth_MiB"] = double(peakKilobytes() - before) / 1024;
        state.counters["failed_as_it_should"] = fetch.result().ok() ? 0 : 1;
        state.SetLabel(fetch.result().reason().toStdString());
    }
}

} // namespace

BENCHMARK_CAPTURE(fetchFrom, interim_flood, QByteArray("HTTP/1.1 100\n\n"),
                  QByteArray("HTTP/1.1 100\n\n"))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fetchFrom, head_a_byte_at_a_time, QByteArray("HTTP/1.1 200 OK\r\nX-Pad: "),
                  QByteArray("p"))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fetchFrom, endless_headers, QByteArray("HTTP/1.1 200 OK\r\n"),
                  QByteArray("X-Pad: ") + QByteArray(1000, 'p') + "\r\n")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fetchFrom, chunk_size_overflow,
                  QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n"
                             "7fffffffffffffff\r\n"),
                  QByteArray(32 << 10, 'x'))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fetchFrom, endless_body_to_the_end, QByteArray("HTTP/1.0 200 OK\r\n\r\n"),
                  QByteArray(64 << 10, 'x'))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
