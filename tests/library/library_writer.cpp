// A writer for the tests that kill it: change after change to the library
// at argv[1], each acknowledged on stdout ("k\n") once its transaction is
// committed. Change k sets the note of 2:(k % 286 + 1) to "write k" (every
// seventh a long one, so that a kill often lands inside a write).
#include "library.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: library_writer FILE FIRST\n");
        return 2;
    }
    velmor::library::Library::Opened opened =
        velmor::library::Library::open(QString::fromLocal8Bit(argv[1]));
    if (!opened.library) {
        std::fprintf(stderr, "%s\n", opened.notice.toUtf8().constData());
        return 1;
    }
    velmor::library::Library& library = *opened.library;
    for (long k = std::atol(argv[2]);; ++k) {
        QString text = QStringLiteral("write %1").arg(k);
        if (k % 7 == 0) {
            text += QString(60000, u'ك');
        }
        if (!library.setNote({2, static_cast<int>(k % 286 + 1)}, text)) {
            return 1;
        }
        std::printf("%ld\n", k);
        std::fflush(stdout);
    }
}
