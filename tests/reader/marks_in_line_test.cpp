// The type of every box that shows the text: each glyph the text and the
// tafsirs need is there, and each mark stays inside its own line.
#include "form5.h"
#include "long_text_box.h"
#include "main_window_fixture.h"
#include "reader_window.h"
#include "scripture.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextDocument>
#include <QTextLayout>
#include <set>

using namespace velmor;

namespace {

bool isPauseMark(QChar c) {
    return c.unicode() >= 0x06D6 && c.unicode() <= 0x06DC;
}

// A text box as it lays out its lines: its font, its text option and the
// width a line gets.
struct Box {
    std::string name;
    QFont font;
    QTextOption option;
    qreal width = 0;
};

Box boxOf(const std::string& name, const QPlainTextEdit* edit) {
    const QTextDocument* document = edit->document();
    return {name, edit->font(), document->defaultTextOption(),
            edit->viewport()->width() - 2 * document->documentMargin()};
}

// What laying out one text in a box found wrong.
struct Findings {
    int marksOutside = 0;  // a pause mark's ink beyond its own line
    int glyphsOutside = 0; // any glyph's ink beyond its line by more than a twentieth
    int missing = 0;       // glyphs that are the missing-glyph box
    QString first;
};

QRectF inkOf(const QGlyphRun& run, int i) {
    return run.rawFont().boundingRect(run.glyphIndexes().at(i)).translated(run.positions().at(i));
}

bool within(const QRectF& ink, qreal top, qreal bottom) {
    return ink.isEmpty() || (ink.top() >= top && ink.bottom() <= bottom);
}

void layOut(const Box& box, const QString& text, Findings& found) {
    QTextLayout layout(text, box.font);
    layout.setTextOption(box.option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        // As a plain text box sets its lines: the leading included.
        line.setLeadingIncluded(true);
        line.setLineWidth(box.width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    for (int n = 0; n < layout.lineCount(); ++n) {
        const QTextLine line = layout.lineAt(n);
        const qreal top = line.y();
        const qreal bottom = line.y() + line.height();
        const qreal slack = line.height() / 20;
        for (const QGlyphRun& run : line.glyphRuns()) {
            for (int i = 0; i < run.glyphIndexes().size(); ++i) {
                if (run.glyphIndexes().at(i) == 0) {
                    ++found.missing;
                }
                if (!within(inkOf(run, i), top - slack, bottom + slack)) {
                    ++found.glyphsOutside;
                    if (found.first.isEmpty()) {
                        found.first = text;
                    }
                }
            }
        }
        for (int at = line.textStart(); at < line.textStart() + line.textLength(); ++at) {
            if (!isPauseMark(text.at(at))) {
                continue;
            }
            for (const QGlyphRun& run : line.glyphRuns(at, 1)) {
                for (int i = 0; i < run.glyphIndexes().size(); ++i) {
                    if (!within(inkOf(run, i), top, bottom)) {
                        ++found.marksOutside;
                        if (found.first.isEmpty()) {
                            found.first = text;
                        }
                    }
                }
            }
        }
    }
}

class MarksInLineTest : public test::MainWindowTest {
protected:
    // Every box that shows the text or a tafsir, open at its usual size.
    std::vector<Box> boxes() {
        searchFor(QStringLiteral("الله لا إله إلا هو الحي القيوم"));
        form->tafser_Click();
        form->reading_Click();
        ReaderWindow* reader = form->readerWindow();
        EXPECT_NE(reader, nullptr);
        std::vector<Box> all{boxOf("aya display", form->Text1), boxOf("tafsir panel", form->Text2),
                             boxOf("reading window", reader->scripture),
                             boxOf("reading window's tafsir", reader->tafsirPane)};
        // The whole sura of the result, composed.
        form->allayaasearch_Click();
        form->allayaa_Click();
        Form5* composed = nullptr;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return (composed = test::openWindow<Form5>()) && composed->isComposed(); },
            5000));
        if (composed != nullptr) {
            all.push_back(boxOf("compose window", composed->Text2));
            composed->close();
            test::settle();
        }
        return all;
    }
};

} // namespace

TEST_F(MarksInLineTest, EveryMarkStaysInsideItsOwnLine) {
    std::vector<QString> marked;
    for (int id = 1; id <= 6236; ++id) {
        const QString text = test::packageAyaText(id);
        if (std::any_of(text.begin(), text.end(), isPauseMark)) {
            // As the reading window shows it: followed by its number.
            marked.push_back(text + QStringLiteral(" \uFD3F") + QString::number(id) +
                             QStringLiteral("\uFD3E"));
        }
    }
    ASSERT_GT(marked.size(), 2500u);
    for (const Box& box : boxes()) {
        SCOPED_TRACE(box.name);
        ASSERT_GT(box.width, 100);
        Findings found;
        for (const QString& text : marked) {
            layOut(box, text, found);
        }
        EXPECT_EQ(found.marksOutside, 0) << "first in: " << found.first.toStdString();
        EXPECT_EQ(found.glyphsOutside, 0);
        EXPECT_EQ(found.missing, 0);
    }
}

// Every code point of the text, of both tafsirs and of the reading window's
// own signs has a glyph in the face each box resolves to, or in the face
// that stands in for it.
TEST_F(MarksInLineTest, EveryCodePointHasAGlyph) {
    std::set<char32_t> codePoints{U'\uFD3E', U'\uFD3F', U'\u00B7'};
    for (int id = 1; id <= 6236; ++id) {
        for (const QString& text :
             {test::packageAyaText(id), test::packageTafsir(id), test::packageJalalayn(id)}) {
            for (const char32_t c : text.toStdU32String()) {
                codePoints.insert(c);
            }
        }
    }
    QString all;
    for (const char32_t c : codePoints) {
        all += QString::fromUcs4(&c, 1) + u' ';
    }
    for (const Box& box : boxes()) {
        SCOPED_TRACE(box.name);
        Findings found;
        layOut(box, all, found);
        EXPECT_EQ(found.missing, 0);
        // The designed face name resolves to an Arabic face, never to a
        // Latin fallback that lacks the marks.
        EXPECT_TRUE(QRawFont::fromFont(box.font).supportsCharacter(0x0670u))
            << QRawFont::fromFont(box.font).familyName().toStdString();
    }
}

// The Uthmani text in its own face, in the reading window: a glyph for every
// code point, and the ink of every line inside that line, so that no mark
// reaches into the line above.
TEST_F(MarksInLineTest, TheUthmaniTextHasEveryGlyphAndKeepsItsMarksInItsLines) {
    form->reading_Click();
    ReaderWindow* reader = form->readerWindow();
    ASSERT_NE(reader, nullptr);
    reader->setScript(Script::Uthmani);
    const Box box = boxOf("reading window, Uthmani", reader->scripture);
    ASSERT_GT(box.width, 100);
    const QRawFont face = QRawFont::fromFont(box.font);
    EXPECT_EQ(face.familyName(), QStringLiteral("KFGQPC HAFS Uthmanic Script"));
    std::set<char32_t> unsupported;
    Findings found;
    for (int id = 1; id <= 6236; ++id) {
        const QString text = test::packageUthmani(id);
        for (const char32_t c : text.toStdU32String()) {
            if (c != U' ' && !face.supportsCharacter(c)) {
                unsupported.insert(c);
            }
        }
        layOut(box,
               text + QStringLiteral(" \uFD3F") + arabicIndicNumber(id % 300 + 1) +
                   QStringLiteral("\uFD3E"),
               found);
    }
    EXPECT_TRUE(unsupported.empty())
        << unsupported.size() << " code points, the first U+" << std::hex
        << (unsupported.empty() ? 0 : *unsupported.begin());
    EXPECT_EQ(found.glyphsOutside, 0) << "first in: " << found.first.toStdString();
    EXPECT_EQ(found.missing, 0);
}
