// The reader's library. Targets: a bookmark added or a note saved, from
// the call to the committed transaction, <= 5 ms; opening a library of
// 10,000 bookmarks and 6,236 notes <= 30 ms; the side panel's first screen
// over it <= 16 ms; the notes filter, per keystroke, <= 16 ms.
// The library lies in the system's temporary folder (run with TMPDIR on
// the disk that matters: its fsyncs are the cost of a change).
#include "application_setup.h"
#include "library.h"
#include "library_exchange.h"
#include "library_panel.h"
#include "reference_lists.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using velmor::library::Library;

QTemporaryDir* folder = nullptr;

QString bigLibraryPath() {
    return folder->filePath(QStringLiteral("big.db"));
}

// 10,000 bookmarks in five collections and a note on every aya, merged in
// one transaction.
void makeBigLibrary() {
    auto library = Library::open(bigLibraryPath()).library;
    const QStringList& counts = velmor::store::soraayanumlist();
    velmor::library::Contents contents;
    const QString now = velmor::library::timestamp();
    for (int sura = 1; sura <= 114; ++sura) {
        for (int aya = 1; aya <= counts[sura - 1].trimmed().toInt(); ++aya) {
            contents.notes.push_back(
                {{sura, aya},
                 QStringLiteral("ملاحظة على الآية %1 من سورة %2\nوفقرة ثانية فيها تأمل")
                     .arg(aya)
                     .arg(sura),
                 now});
            for (int c = 0; c < 2 && contents.bookmarks.size() < 10000; ++c) {
                contents.bookmarks.push_back(
                    {{sura, aya},
                     QStringLiteral("مجموعة %1").arg(contents.bookmarks.size() % 5 + 1),
                     {},
                     {},
                     now});
            }
        }
    }
    if (const velmor::Done merged = velmor::library::merge(*library, contents); !merged) {
        std::fprintf(stderr, "%s\n", qPrintable(merged.reason()));
    }
}

void BM_AddBookmark(benchmark::State& state) {
    auto library = Library::open(folder->filePath(QStringLiteral("small.db"))).library;
    bool add = true;
    for (auto _ : state) {
        const velmor::Done done =
            add ? library->addBookmark({2, 255}, QStringLiteral("المفضلة"))
                : library->removeBookmark({2, 255}, QStringLiteral("المفضلة"));
        add = !add;
        if (!done) {
            state.SkipWithError(done.reason().toUtf8().constData());
        }
    }
}
BENCHMARK(BM_AddBookmark)->Unit(benchmark::kMillisecond);

void BM_SaveNote(benchmark::State& state) {
    auto library = Library::open(folder->filePath(QStringLiteral("small.db"))).library;
    QString text = QStringLiteral("ملاحظة تكتب حرفا حرفا");
    for (auto _ : state) {
        text += u'ب';
        if (const velmor::Done done = library->setNote({2, 255}, text); !done) {
            state.SkipWithError(done.reason().toUtf8().constData());
        }
    }
}
BENCHMARK(BM_SaveNote)->Unit(benchmark::kMillisecond);

void BM_OpenBigLibrary(benchmark::State& state) {
    for (auto _ : state) {
        auto library = Library::open(bigLibraryPath()).library;
        benchmark::DoNotOptimize(library.get());
    }
}
BENCHMARK(BM_OpenBigLibrary)->Unit(benchmark::kMillisecond);

// From the library's file to the panel's first screen painted.
void BM_PanelFirstScreen(benchmark::State& state) {
    auto library = Library::open(bigLibraryPath()).library;
    velmor::LibraryPanel panel(nullptr);
    panel.resize(320, 600);
    panel.show();
    for (auto _ : state) {
        panel.setLibrary(library.get(), {});
        panel.bookmarkList->viewport()->repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PanelFirstScreen)->Unit(benchmark::kMillisecond);

void BM_FilterNotesPerKeystroke(benchmark::State& state) {
    auto library = Library::open(bigLibraryPath()).library;
    velmor::LibraryPanel panel(nullptr);
    panel.resize(320, 600);
    panel.show();
    panel.setLibrary(library.get(), {});
    panel.tabs->setCurrentIndex(1);
    const QString typed = QStringLiteral("تأمل سورة");
    int k = 0;
    for (auto _ : state) {
        k = k % static_cast<int>(typed.size()) + 1;
        panel.noteFilter->setText(typed.left(k));
        panel.noteList->viewport()->repaint();
    }
}
BENCHMARK(BM_FilterNotesPerKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    velmor::setUpApplication(app);
    QTemporaryDir temporary;
    folder = &temporary;
    makeBigLibrary();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
