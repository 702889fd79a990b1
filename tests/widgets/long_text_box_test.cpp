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
#include <algorithm>
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

template <typename Box> std::unique_ptr<Box> shownBox(int width, double points = 0) {
    auto box = std::make_unique<Box>(nullptr);
    QFont font = designedDisplayFont();
    if (points > 0) {
        font.setPointSizeF(points);
    }
    prepareReadOnlyTextBox(*box, "box", font);
    box->document()->setDocumentMargin(10);
    box->resize(width, 360);
    box->show();
    return box;
}

bool complete(LongTextBox& box) {
    return QTest::qWaitFor([&] { return box.isComplete(); }, 15000);
}

// The blocks the edit lays out in more than one line: each holds a word
// wider than the line, broken inside as the whole paragraph breaks it.
int blocksOfManyLines(QPlainTextEdit& box) {
    int many = 0;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        many += block.layout()->lineCount() > 1 ? 1 : 0;
    }
    return many;
}

// Line for line what a plain text edit makes of the text, at each size and
// width the box is given, words wider than the line among them.
TEST(LongTextBox, ShowsTheLinesOfTheWholeParagraph) {
    struct Case {
        const char* name;
        QString text;
        double points;
        std::vector<int> widths;
    };
    const std::vector<Case> cases{
        {"sura 2", wholeSura2(), 0, {520, 310}},
        {"chosen ayas", chosenAyas(), 0, {520, 310}},
        // Words wider than the line, broken inside.
        {"sura 2 at 36 pt", wholeSura2(), 36, {200}},
        {"chosen ayas at 72 pt", chosenAyas(), 72, {300, 100}},
        {"chosen ayas at 20 pt", chosenAyas(), 20, {100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto box = shownBox<LongTextBox>(c.widths.front(), c.points);
        box->showText(c.text);
        for (const int width : c.widths) {
            box->resize(width, 360);
            ASSERT_TRUE(complete(*box));
            auto reference = shownBox<QPlainTextEdit>(width, c.points);
            reference->setPlainText(c.text);
            const QStringList lines = shownLines(*box);
            EXPECT_GT(lines.size(), 8);
            const QStringList expected = shownLines(*reference);
            const auto differ =
                std::mismatch(lines.begin(), lines.end(), expected.begin(), expected.end());
            EXPECT_TRUE(differ.first == lines.end() && differ.second == expected.end())
                << "at " << width << " px the lines differ from line "
                << (differ.first - lines.begin()) << " of " << expected.size();
            // A block is one line, but where a word is wider than the line.
            EXPECT_EQ(lines.size() > box->document()->blockCount(), blocksOfManyLines(*box) > 0);
            if (c.points == 0) {
                EXPECT_EQ(lines.size(), box->document()->blockCount()) << width;
            }
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
    // Much narrower, then by a single pixel: the lines are broken again each
    // time, and the line read stays at the top.
    for (const int width : {300, 301}) {
        const qsizetype read = text.indexOf(topLine());
        ASSERT_GT(read, 0);
        box->resize(width, 360);
        ASSERT_TRUE(complete(*box));
        const QString top = topLine();
        const qsizetype shown = text.indexOf(top);
        EXPECT_LE(shown, read) << width;
        EXPECT_LT(read, shown + top.size()) << width;
    }
}

} // namespace
