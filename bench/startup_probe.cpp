// Start-up to main window shown, as the program does it: prints the
// milliseconds from process start and the peak resident memory.
#include "application_setup.h"
#include "bench_window.h"
#include "form1.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

// Milliseconds since the process was started by the kernel.
double millisecondsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QList<QByteArray> fields = stat.readAll().split(' ');
    const double startTicks = fields.value(21).toDouble();
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowSeconds =
        static_cast<double>(boot.tv_sec) + static_cast<double>(boot.tv_nsec) / 1e9;
    return (nowSeconds - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK))) * 1000.0;
}

QByteArray peakResident() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return {};
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).simplified();
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velmor::setUpApplication(app);
    const auto form = startMainWindow();
    if (!QTest::qWaitForWindowExposed(form.get())) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    std::printf("shown_ms=%.1f peak_rss=%s\n", millisecondsSinceProcessStart(),
                peakResident().constData());
    return 0;
}
