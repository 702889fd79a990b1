#include "composition.h"
#include "fonts.h"
#include "long_text_box.h"
#include "scripture.h"
#include "text_boxes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <memory>

using namespace velmor;

namespace {

// Sura 2 as the compose window makes it: one paragraph of 286 ayas.
QString wholeSura2() {
    QString text;
    for (int aya = 1; aya <= 286; ++aya) {
        text += wholeSuraUnit(test::packageAyaText(7 + aya), aya);
    }
    return text;
}

// Chosen ayas: short paragraphs with empty ones between, as composed.
QString chosenAyas() {
    QString text;
    for (const int id : {262, 263, 6236, 1}) {
        text += test::packageAyaText(id) + QStringLiteral(" ( x )\n\n");
    }
    return text;
}

// The lines a box shows, each as the text it holds, laid out as it would be
// painted.
QStringList shownLines(QPlainTextEdit& box) {
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(box.document()->documentLayout());
    QStringList lines;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block); // lays the block out
        for (int k = 0; k < block.layout()->lineCount(); ++k) {
            const QTextLine line = block.layout()->lineAt(k);
            lines.append(block.text().mid(line.textStart(), line.textLength()));
        }
    }
    return lines;
}

template <typename Box> std::unique_ptr<Box> shownBox(int width) {
    auto box = std::make_unique<Box>(nullptr);
    prepareReadOnlyTextBox(*box, "box", designedDisplayFont());
    box->document()->setDocumentMargin(10);
    box->resize(width, 360);
    box->show();
    return box;
}

bool complete(LongTextBox& box) {
    return QTest::qWaitFor([&] { return box.isComplete(); }, 5000);
}

// Line for line what a plain text edit makes of the text, at each width the
// box is given, and each line stays one line when the edit lays it out.
TEST(LongTextBox, ShowsTheLinesOfTheWholeParagraph) {
    for (const QString& text : {wholeSura2(), chosenAyas()}) {
        auto box = shownBox<LongTextBox>(520);
        box->showText(text);
        for (const int width : {520, 310}) {
            box->resize(width, 360);
            ASSERT_TRUE(complete(*box));
            auto reference = shownBox<QPlainTextEdit>(width);
            reference->setPlainText(text);
            const QStringList lines = shownLines(*box);
            EXPECT_GT(lines.size(), 8);
            EXPECT_EQ(lines, shownLines(*reference)) << width;
            EXPECT_EQ(lines.size(), box->document()->blockCount()) << width;
        }
    }
}

TEST(LongTextBox, ShowsTheFirstScreenfulAtOnce) {
    auto box = shownBox<LongTextBox>(520);
    box->showText(wholeSura2());
    EXPECT_FALSE(box->isComplete());
    EXPECT_GT(shownLines(*box).size() * box->fontMetrics().lineSpacing(),
              box->viewport()->height());
    EXPECT_TRUE(complete(*box));
}

// A selection is copied as the text was given: no line breaks of the box's
// making, and the no-break space before a pause mark kept.
TEST(LongTextBox, CopiesTheGivenText) {
    const QString text = wholeSura2();
    auto box = shownBox<LongTextBox>(400);
    box->showText(text);
    ASSERT_TRUE(complete(*box));
    // From inside the fourth line, forty lines down: three breaks before it.
    QTextCursor cursor(box->document());
    const int start = box->document()->findBlockByNumber(3).position() + 5;
    cursor.setPosition(start);
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 40);
    box->setTextCursor(cursor);
    box->copy();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(text.indexOf(copied), start - 3);
    EXPECT_GT(copied.size(), 40 * 20);
    box->selectAll();
    box->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
    EXPECT_TRUE(text.contains(QChar::Nbsp));
}

// After a resize the line that was at the top is still in view.
TEST(LongTextBox, KeepsThePlaceReadWhenResized) {
    const QString text = wholeSura2();
    auto box = shownBox<LongTextBox>(520);
    box->showText(text);
    ASSERT_TRUE(complete(*box));
    const auto topLine = [&] { return box->cursorForPosition(QPoint(20, 5)).block().text(); };
    box->verticalScrollBar()->setValue(200);
    const qsizetype read = text.indexOf(topLine());
    box->resize(300, 360);
    ASSERT_TRUE(complete(*box));
    const QString top = topLine();
    const qsizetype shown = text.indexOf(top);
    EXPECT_LE(shown, read);
    EXPECT_LT(read, shown + top.size());
}

} // namespace
