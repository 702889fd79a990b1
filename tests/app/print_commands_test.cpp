// The command line's PDF and image, read back with Poppler's tools and Qt's
// image reader.
#include "run_program.h"
#include "scripture.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>
#include <sys/mount.h>

using namespace velmor;

namespace {

QString arg(const char* text) {
    return QString::fromUtf8(text);
}

// A text folded for comparing words: presentation forms made letters,
// direction marks dropped, punctuation a blank, then the tests' own fold.
QString wordsFolded(const QString& text) {
    QString plain = text.normalized(QString::NormalizationForm_KC);
    plain.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    for (QChar& c : plain) {
        if (c.isPunct() || c.isSymbol()) {
            c = u' ';
        }
    }
    return test::referenceFold(plain);
}

// The text a PDF reader finds in the file, folded.
QString pdfText(const QString& path) {
    const test::ProgramRun run = test::runProgram(arg("pdftotext"), {path, arg("-")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return wordsFolded(QString::fromUtf8(run.out));
}

// The share of the texts' distinct words found in the folded text. Qt's PDF
// writer maps a glyph back to text through the font's character map alone,
// so a ligature (lam-alif, the name of God) maps back to nothing: the words
// that hold one are left out.
double shareFound(const QStringList& texts, const QString& found) {
    const QStringList pieces = found.split(QRegularExpression(arg("\\s+")));
    const QSet<QString> have(pieces.begin(), pieces.end());
    std::set<QString> words;
    for (const QString& text : texts) {
        for (const QString& word : wordsFolded(text).split(u' ', Qt::SkipEmptyParts)) {
            if (word.size() > 1 && !word.contains(arg("لا")) && !word.contains(arg("لله"))) {
                words.insert(word);
            }
        }
    }
    const auto count = std::count_if(words.begin(), words.end(),
                                     [&](const QString& w) { return have.contains(w); });
    return words.empty() ? 0 : double(count) / double(words.size());
}

int pdfPages(const QString& path) {
    const test::ProgramRun run = test::runProgram(arg("pdfinfo"), {path});
    const QRegularExpressionMatch pages =
        QRegularExpression(arg("Pages:\\s+(\\d+)")).match(QString::fromUtf8(run.out));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

// The fonts pdffonts lists, each with whether it is embedded.
std::vector<std::pair<QString, bool>> pdfFonts(const QString& path) {
    std::vector<std::pair<QString, bool>> fonts;
    const QStringList lines = test::runProgram(arg("pdffonts"), {path}).lines();
    for (qsizetype k = 2; k < lines.size(); ++k) {
        const QStringList fields = lines[k].split(u' ', Qt::SkipEmptyParts);
        if (fields.size() >= 6) {
            fonts.emplace_back(fields[0], fields[fields.size() - 5] == u"yes");
        }
    }
    return fonts;
}

} // namespace

// Sura 36 with al-Muyassar in either script: every page counted, every font
// embedded, and the sura's words and its tafsir's found by a PDF reader.
TEST(PrintCommands, APdfOfASuraWithItsTafsirInEitherScript) {
    QTemporaryDir folder;
    QStringList simple;
    QStringList uthmani;
    QStringList tafsir;
    for (int id = 3706; id <= 3788; ++id) { // 36:1-83
        simple.append(test::packageAyaText(id));
        uthmani.append(test::packageUthmani(id));
        tafsir.append(test::packageTafsir(id));
    }
    for (const auto& [script, words] : {std::pair{"simple", simple}, {"uthmani", uthmani}}) {
        SCOPED_TRACE(script);
        const QString path = folder.filePath(arg(script) + arg(".pdf"));
        const test::ProgramRun run =
            test::runVelmor({arg("--pdf"), path, arg("--sura"), arg("36"), arg("--tafsir"),
                             arg("muyassar"), arg("--script"), arg(script)});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const int pages = pdfPages(path);
        EXPECT_GT(pages, 4);
        EXPECT_EQ(run.lines(), QStringList{QString::number(pages) + arg(" pages")});
        const auto fonts = pdfFonts(path);
        EXPECT_FALSE(fonts.empty());
        for (const auto& [name, embedded] : fonts) {
            EXPECT_TRUE(embedded) << name.toStdString();
        }
        const QString text = pdfText(path);
        EXPECT_GT(shareFound(words, text), 0.97);
        EXPECT_GT(shareFound(tafsir, text), 0.97);
        EXPECT_TRUE(text.contains(test::referenceFold(arg("سورة يس"))));
    }
}

// A range, chosen ayas and the page sizes; without a tafsir the pages are
// fewer.
TEST(PrintCommands, ARangeChosenAyasAndThePageSize) {
    QTemporaryDir folder;
    const QString a4 = folder.filePath(arg("a4.pdf"));
    const QString letter = folder.filePath(arg("letter.pdf"));
    const QString bare = folder.filePath(arg("bare.pdf"));
    ASSERT_EQ(test::runVelmor({arg("--pdf"), a4, arg("--range"), arg("2:1-2:40"), arg("--tafsir"),
                               arg("jalalayn")})
                  .exitCode,
              0);
    ASSERT_EQ(test::runVelmor({arg("--pdf"), letter, arg("--range"), arg("البقرة 1-البقرة 40"),
                               arg("--tafsir"), arg("jalalayn"), arg("--page-size"), arg("letter")})
                  .exitCode,
              0);
    ASSERT_EQ(test::runVelmor({arg("--pdf"), bare, arg("--compose"), arg("262,6236,1")}).exitCode,
              0);
    const test::ProgramRun a4Info = test::runProgram(arg("pdfinfo"), {a4});
    const test::ProgramRun letterInfo = test::runProgram(arg("pdfinfo"), {letter});
    EXPECT_TRUE(a4Info.out.contains("(A4)"));
    EXPECT_TRUE(letterInfo.out.contains("(letter)"));
    const QString chosen = pdfText(bare);
    // In the order chosen: 2:255, then 114:6, then 1:1.
    const qsizetype kursi = chosen.indexOf(test::referenceFold(arg("الحي القيوم")));
    const qsizetype nas = chosen.indexOf(test::referenceFold(arg("سورة الناس")));
    const qsizetype fatiha = chosen.indexOf(test::referenceFold(arg("سورة الفاتحة")));
    EXPECT_TRUE(kursi >= 0 && kursi < nas && nas < fatiha) << kursi << ' ' << nas << ' ' << fatiha;
    EXPECT_GT(shareFound({test::packageJalalayn(12)}, pdfText(a4)), 0.97); // 2:5
    EXPECT_EQ(pdfPages(bare), 1);
}

// An aya's image: PNG, the width asked for, the theme's background.
TEST(PrintCommands, AnAyasImage) {
    QTemporaryDir folder;
    const struct {
        QStringList extra;
        int width;
        QRgb background;
    } cases[] = {
        {{}, 1080, qRgb(0xFF, 0xFF, 0xFF)},
        {{arg("--width"), arg("600"), arg("--theme"), arg("dark"), arg("--script"), arg("uthmani")},
         600,
         qRgb(0x12, 0x14, 0x18)},
        {{arg("--theme"), arg("sepia")}, 1080, qRgb(0xF4, 0xEC, 0xD8)},
    };
    for (const auto& c : cases) {
        const QString path = folder.filePath(arg("aya.png"));
        const test::ProgramRun run = test::runVelmor(
            QStringList{arg("--image"), path, arg("--aya"), arg("2:255")} + c.extra);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage image(path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), c.width);
        EXPECT_GT(image.height(), c.width / 4);
        EXPECT_EQ(image.pixel(2, 2), c.background);
        // Ink of another colour than the background: the text was drawn.
        int ink = 0;
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) {
                ink += image.pixel(x, y) != c.background ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 500);
    }
}

// Bad input: one line and status 2, no file. A file that cannot be written:
// status 1, and nothing left of it.
TEST(PrintCommands, RefusesBadInputAndLeavesNoHalfFile) {
    QTemporaryDir folder;
    const QString out = folder.filePath(arg("out.pdf"));
    const QString png = folder.filePath(arg("out.png"));
    const std::vector<QStringList> bad{
        {arg("--pdf"), out},
        {arg("--pdf"), out, arg("--sura"), arg("115")},
        {arg("--pdf"), out, arg("--sura"), arg("2"), arg("--range"), arg("2:1-2:3")},
        {arg("--pdf"), out, arg("--range"), arg("2:5-2:1")},
        {arg("--pdf"), out, arg("--range"), arg("2:5")},
        {arg("--pdf"), out, arg("--range"), arg("2:1-2:300")},
        {arg("--pdf"), out, arg("--compose"), arg("1,0")},
        {arg("--pdf"), out, arg("--compose"), arg("6237")},
        {arg("--pdf"), out, arg("--sura"), arg("1"), arg("--tafsir"), arg("tabari")},
        {arg("--pdf"), out, arg("--sura"), arg("1"), arg("--page-size"), arg("a3")},
        {arg("--pdf"), out, arg("--sura"), arg("1"), arg("--script"), arg("kufic")},
        {arg("--pdf"), out, arg("--sura"), arg("1"), arg("--width"), arg("600")},
        {arg("--image"), png},
        {arg("--image"), png, arg("--aya"), arg("2:300")},
        {arg("--image"), png, arg("--aya"), arg("2:255"), arg("--width"), arg("10")},
        {arg("--image"), png, arg("--aya"), arg("2:255"), arg("--theme"), arg("neon")},
        {arg("--image"), png, arg("--aya"), arg("2:255"), arg("--tafsir"), arg("muyassar")},
    };
    for (const QStringList& arguments : bad) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const test::ProgramRun run = test::runVelmor(arguments);
        EXPECT_EQ(run.exitCode, 2);
        const QStringList lines = QString::fromUtf8(run.err).split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines.filter(arg("velmor:")).size(), 1) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(out) || QFile::exists(png));
    }
    // A folder that is a file, one that is not there (it is not made), and
    // a disk too small for sura 2.
    QFile file(folder.filePath(arg("file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const QString& into :
         {folder.filePath(arg("file/x.pdf")), folder.filePath(arg("missing/x.pdf")),
          folder.filePath(arg("missing/x.png"))}) {
        QStringList run{into.endsWith(arg(".png")) ? arg("--image") : arg("--pdf"), into};
        run += into.endsWith(arg(".png")) ? QStringList{arg("--aya"), arg("1:1")}
                                          : QStringList{arg("--sura"), arg("1")};
        const test::ProgramRun refused = test::runVelmor(run);
        EXPECT_EQ(refused.exitCode, 1) << into.toStdString();
        const QStringList lines = QString::fromUtf8(refused.err).split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines.filter(arg("velmor:")).size(), 1) << refused.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(arg("missing"))));
    QTemporaryDir small;
    ASSERT_EQ(
        ::mount("tmpfs", QFile::encodeName(small.path()).constData(), "tmpfs", 0, "size=256k"), 0);
    const QString full = QDir(small.path()).filePath(arg("s2.pdf"));
    const test::ProgramRun fullDisk = test::runVelmor(
        {arg("--pdf"), full, arg("--sura"), arg("2"), arg("--tafsir"), arg("muyassar")});
    EXPECT_EQ(fullDisk.exitCode, 1);
    EXPECT_TRUE(fullDisk.err.contains(QFile::encodeName(full))) << fullDisk.err.toStdString();
    EXPECT_TRUE(QDir(small.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    ::umount(QFile::encodeName(small.path()).constData());
}
