#include "aya_image.h"

#include "reference.h"
#include "reference_lists.h"
#include "script_font.h"
#include "sura_text.h"
#include "whole_file.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>

namespace velmor::print {

QString imageReference(const std::vector<PrintedAya>& ayas) {
    if (ayas.empty() || ayas.front().sura < 1 || ayas.front().sura > store::compairlist().size()) {
        return {};
    }
    const PrintedAya& first = ayas.front();
    const PrintedAya& last = ayas.back();
    QString reference = QStringLiteral("سورة ") + store::compairlist()[first.sura - 1] + u' ' +
                        arabicIndicNumber(first.aya);
    if (last.sura == first.sura && last.aya != first.aya) {
        reference += u'-' + arabicIndicNumber(last.aya);
    } else if (last.sura != first.sura) {
        reference += QStringLiteral(" - سورة ") + store::compairlist()[last.sura - 1] + u' ' +
                     arabicIndicNumber(last.aya);
    }
    return reference;
}

QImage ayaImage(const std::vector<PrintedAya>& ayas, Script script, ReaderTheme theme, int width) {
    const ThemeColours colours = coloursOf(theme);
    const int margin = width / 14;
    QString text;
    for (const PrintedAya& aya : ayas) {
        text += aya.text + u' ' + ayaEndMarker(aya.aya) + u' ';
    }
    text.chop(1);

    QTextDocument document;
    document.setDocumentMargin(0);
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(option);
    QFont face = scriptFont(script, 12);
    face.setPixelSize(std::max(12, width / 20));
    if (script == Script::Simple) {
        face.setFamilies({QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri")});
    }
    document.setDefaultFont(face);
    document.setPlainText(text);
    document.setTextWidth(width - 2 * margin);

    QFont small;
    small.setFamilies({QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri")});
    small.setPixelSize(std::max(10, width / 40));
    const QFontMetrics below(small);
    const int textHeight = static_cast<int>(std::ceil(document.size().height()));
    const int height = margin + textHeight + margin / 2 + below.height() + margin;

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(colours.background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.save();
    painter.translate(margin, margin);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, colours.text);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
    painter.setFont(small);
    QColor dim = colours.text;
    dim.setAlphaF(0.75F);
    painter.setPen(dim);
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(
        QRect(margin, margin + textHeight + margin / 2, width - 2 * margin, below.height()),
        Qt::AlignHCenter | Qt::AlignVCenter, imageReference(ayas));
    painter.end();
    return image;
}

Done writeImage(const QImage& image, const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        return Done::failed(QStringLiteral("the image could not be made"));
    }
    return replaceFile(path, bytes, Folder::MustExist);
}

} // namespace velmor::print
