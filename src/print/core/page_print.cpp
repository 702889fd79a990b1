#include "page_print.h"

#include "reference.h"
#include "reference_lists.h"
#include "script_font.h"
#include "sura_text.h"
#include "whole_file.h"

#include <QAbstractTextDocumentLayout>
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace velmor::print {

namespace {

// The face of the tafsirs, the headers and the simple text in print: one
// whose shaped letters a PDF reader maps back to text.
QFont printFace(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri")});
    font.setPointSizeF(points);
    return font;
}

QFont textFace(Script script, double points) {
    return script == Script::Uthmani && !uthmaniFamily().isEmpty()
               ? scriptFont(Script::Uthmani, points)
               : printFace(points);
}

QString suraTitle(int sura) {
    return sura >= 1 && sura <= store::compairlist().size()
               ? QStringLiteral("سورة ") + store::compairlist()[sura - 1]
               : QString();
}

QTextBlockFormat blockFormat(Qt::Alignment alignment, double spaceAfter) {
    QTextBlockFormat format;
    format.setLayoutDirection(Qt::RightToLeft);
    format.setAlignment(alignment);
    format.setBottomMargin(spaceAfter);
    return format;
}

// The Uthmani face's shaped letters map back to no text, so a PDF reader
// would find nothing in them (or stray marks): its lines are drawn as the
// outlines of their glyphs, and once more as text, all but transparent, in
// a face whose letters do map back, fitted to the line's box.
void drawFindableLine(QPainter& painter, const QTextBlock& block, const QTextLine& line,
                      const QPointF& origin, const QFont& face) {
    QPainterPath outlines;
    for (const QGlyphRun& run : line.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype g = 0; g < glyphs.size(); ++g) {
            outlines.addPath(raw.pathForGlyph(glyphs[g]).translated(positions[g] + origin));
        }
    }
    painter.fillPath(outlines, Qt::black);
    const QString text = block.text().mid(line.textStart(), line.textLength()).trimmed();
    const QFontMetricsF metrics(face, painter.device());
    const double natural = metrics.horizontalAdvance(text);
    if (text.isEmpty() || natural <= 0) {
        return;
    }
    painter.save();
    painter.setFont(face);
    painter.setPen(QColor(0, 0, 0, 1));
    painter.setLayoutDirection(Qt::RightToLeft);
    const QRectF at = line.rect().translated(origin);
    painter.translate(at.right(), at.top() + line.ascent());
    painter.scale(std::min(2.0, line.naturalTextWidth() / natural), 1.0);
    painter.drawText(QPointF(-natural, 0), text);
    painter.restore();
}

// The blocks of the document that fall on the page shown.
void drawPage(QPainter& painter, const QTextDocument& document, const QRectF& shown,
              const QFont& findable) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    painter.setPen(Qt::black);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF box = layout->blockBoundingRect(block);
        if (box.top() > shown.bottom()) {
            break;
        }
        if (!box.intersects(shown)) {
            continue;
        }
        const bool uthmani =
            !uthmaniFamily().isEmpty() && block.charFormat().font().family() == uthmaniFamily();
        const QTextLayout* lines = block.layout();
        for (int k = 0; k < lines->lineCount(); ++k) {
            const QTextLine line = lines->lineAt(k);
            if (!shown.contains(line.rect().translated(box.topLeft()).center())) {
                continue;
            }
            if (uthmani) {
                drawFindableLine(painter, block, line, box.topLeft(), findable);
            } else {
                line.draw(&painter, box.topLeft());
            }
        }
    }
}

} // namespace

QPageSize::PageSizeId pageSizeNamed(const QString& key, bool* known) {
    *known = key == u"a4" || key == u"letter";
    return key == u"letter" ? QPageSize::Letter : QPageSize::A4;
}

std::unique_ptr<QTextDocument> printDocument(const std::vector<PrintedAya>& ayas, Script script,
                                             const PageSetup& setup, QPaintDevice& device) {
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&device);
    document->setDocumentMargin(0);
    QTextOption option = document->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight);
    document->setDefaultTextOption(option);
    document->setDefaultFont(printFace(setup.tafsirPoints));

    // Block margins are in the layout's own units (96 to the inch), which it
    // scales to the device.
    const double gap = setup.tafsirPoints * 96.0 / 72.0;
    QTextCharFormat heading;
    heading.setFont(printFace(setup.textPoints * 1.15));
    heading.setFontWeight(QFont::Bold);
    QTextCharFormat text;
    text.setFont(textFace(script, setup.textPoints));
    QTextCharFormat tafsir;
    tafsir.setFont(printFace(setup.tafsirPoints));
    tafsir.setForeground(QColor(0x40, 0x40, 0x40));

    QTextCursor cursor(document.get());
    bool first = true;
    int sura = 0;
    const auto newBlock = [&](const QTextBlockFormat& format, const QTextCharFormat& chars) {
        if (first) {
            cursor.setBlockFormat(format);
            cursor.setBlockCharFormat(chars);
            first = false;
        } else {
            cursor.insertBlock(format, chars);
        }
        cursor.block().setUserState(sura);
    };
    for (const PrintedAya& aya : ayas) {
        if (aya.sura != sura) {
            sura = aya.sura;
            newBlock(blockFormat(Qt::AlignHCenter, gap), heading);
            cursor.insertText(suraTitle(sura), heading);
        }
        newBlock(blockFormat(Qt::AlignJustify, aya.tafsir.isEmpty() ? gap * 0.3 : gap * 0.4), text);
        cursor.insertText(aya.text + u' ' + ayaEndMarker(aya.aya), text);
        if (!aya.tafsir.isEmpty()) {
            newBlock(blockFormat(Qt::AlignJustify, gap), tafsir);
            cursor.insertText(aya.tafsir, tafsir);
        }
    }
    return document;
}

Outcome<int> paintPages(const std::vector<PrintedAya>& ayas, Script script, const PageSetup& setup,
                        QPagedPaintDevice& device) {
    if (ayas.empty()) {
        return Outcome<int>::failed(QStringLiteral("there is no aya to print"));
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return Outcome<int>::failed(QStringLiteral("the pages cannot be painted"));
    }
    const QRect paper = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QFont marginFace = printFace(9);
    painter.setFont(marginFace);
    const int band = painter.fontMetrics().height() * 2;
    const QRectF body(0, band, paper.width(), paper.height() - 2 * band);

    const std::unique_ptr<QTextDocument> document = printDocument(ayas, script, setup, device);
    document->setPageSize(body.size());
    const int pages = document->pageCount();
    QAbstractTextDocumentLayout* layout = document->documentLayout();

    QTextBlock block = document->begin();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            return Outcome<int>::failed(QStringLiteral("a new page cannot be begun"));
        }
        const double top = page * body.height();
        // The sura of the first block this page shows.
        while (block.next().isValid() && layout->blockBoundingRect(block).bottom() <= top + 1) {
            block = block.next();
        }
        painter.save();
        painter.setFont(marginFace);
        painter.setPen(QColor(0x55, 0x55, 0x55));
        painter.setLayoutDirection(Qt::RightToLeft);
        painter.drawText(QRectF(0, 0, paper.width(), band * 0.75),
                         Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter,
                         suraTitle(block.userState()));
        painter.drawLine(QPointF(0, band * 0.8), QPointF(paper.width(), band * 0.8));
        painter.drawText(QRectF(0, paper.height() - band * 0.75, paper.width(), band * 0.75),
                         Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("صفحة %1 من %2")
                             .arg(arabicIndicNumber(page + 1), arabicIndicNumber(pages)));
        painter.restore();

        painter.save();
        painter.translate(body.left(), body.top() - top);
        const QRectF shown(0, top, body.width(), body.height());
        painter.setClipRect(shown);
        drawPage(painter, *document, shown, printFace(setup.textPoints));
        painter.restore();
    }
    if (!painter.end()) {
        return Outcome<int>::failed(QStringLiteral("the pages could not be finished"));
    }
    return pages;
}

Outcome<int> writePdf(const std::vector<PrintedAya>& ayas, Script script, const PageSetup& setup,
                      const QString& path, const QString& title) {
    int pages = 0;
    QString why;
    const Done written = replaceFile(
        path,
        [&](const QString& temporary) {
            QPdfWriter writer(temporary);
            writer.setTitle(title);
            writer.setCreator(QStringLiteral("Velmor"));
            writer.setResolution(600);
            writer.setPageSize(QPageSize(setup.size));
            writer.setPageMargins(setup.marginsMm, QPageLayout::Millimeter);
            const Outcome<int> painted = paintPages(ayas, script, setup, writer);
            if (!painted) {
                why = painted.reason();
                return false;
            }
            pages = *painted;
            return true;
        },
        Folder::MustExist);
    if (!written) {
        return Outcome<int>::failed(why.isEmpty() ? written.reason() : why);
    }
    return pages;
}

} // namespace velmor::print
