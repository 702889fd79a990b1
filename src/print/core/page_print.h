#pragma once

#include "outcome.h"
#include "printed_ayas.h"

#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QTextDocument;

namespace velmor::print {

// How the pages look: their size and margins, and the sizes of the text.
struct PageSetup {
    QPageSize::PageSizeId size = QPageSize::A4;
    QMarginsF marginsMm{18, 16, 18, 16};
    double textPoints = 16;
    double tafsirPoints = 11;
};

// The page sizes offered, with the word that names each on the command line.
QPageSize::PageSizeId pageSizeNamed(const QString& key, bool* known);

// The ayas as one right-to-left document, laid out for the device: a
// heading where a sura begins, each aya with its end marker in the script's
// face, its tafsir below it in a smaller one. Each block's user state is
// its sura.
std::unique_ptr<QTextDocument> printDocument(const std::vector<PrintedAya>& ayas, Script script,
                                             const PageSetup& setup, QPaintDevice& device);

// Paints the ayas page by page on a device already set to its page size
// and margins (a PDF writer or a printer): a header with the sura's name,
// the page's number and count at its foot. Gives the number of pages.
Outcome<int> paintPages(const std::vector<PrintedAya>& ayas, Script script, const PageSetup& setup,
                        QPagedPaintDevice& device);

// A PDF of the ayas at path, whole or not at all: written beside it and
// renamed over it once complete.
Outcome<int> writePdf(const std::vector<PrintedAya>& ayas, Script script, const PageSetup& setup,
                      const QString& path, const QString& title);

} // namespace velmor::print
