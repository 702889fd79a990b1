// The reading window's rules, against the generated database: references,
// steps through the mushaf, the assembled sura, both tafsirs, the themes
// and the kept settings.
#include "connection_string.h"
#include "database.h"
#include "reader_preferences.h"
#include "reference.h"
#include "run_program.h"
#include "scripture.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

QString programFolder() {
    return QFileInfo(QStringLiteral(VELMOR_TEST_DATABASE)).absolutePath();
}

class Reading : public ::testing::Test {
protected:
    QStringList failures;
    store::Store store{[this](const QString& message) { failures.append(message); }};
    ReadingSession session{store, store::buildConnectionString(programFolder())};
};

} // namespace

TEST(Reference, EveryFormAReaderTypes) {
    const std::vector<std::pair<QString, AyaRef>> valid{
        {"2:255", {2, 255}},
        {"٢:٢٥٥", {2, 255}},
        {"۲:۲۵۵", {2, 255}},
        {"البقرة 255", {2, 255}},
        {"البقرة:255", {2, 255}},
        {" البقرة  :  ٢٥٥ ", {2, 255}},
        {"البقرة", {2, 1}},
        {"بقرة 3", {2, 3}},
        {"سورة البقرة", {2, 1}},
        {"البَقَرَة 286", {2, 286}},
        {"آل عمران 7", {3, 7}},
        {"ال عمران", {3, 1}},
        {"المزمل 2", {73, 2}},
        {"ص 88", {38, 88}},
        {"114", {114, 1}},
        {"الناس:6", {114, 6}},
        {"يس", {36, 1}},
        {"الإخلاص 4", {112, 4}},
        // Extended Arabic-Indic (Persian) digits, ۹ among them.
        {"۲:۲۵۹", {2, 259}},
        {"۹:۱۲۹", {9, 129}},
        // Direction marks a reference pasted from a right-to-left text carries.
        {"\u200F2:255\u200E", {2, 255}},
        {"\u061C٢:\u200F٢٥٥", {2, 255}},
        {"\u2067البقرة 255\u2069", {2, 255}},
        {"2 255", {2, 255}},
    };
    for (const auto& [typed, ref] : valid) {
        const ParsedReference parsed = parseReference(typed);
        ASSERT_TRUE(parsed.ref.has_value()) << typed.toStdString() << parsed.error.toStdString();
        EXPECT_EQ(*parsed.ref, ref) << typed.toStdString();
    }
    for (const QString typed :
         {"", "   ", "2:287", "2:0", "115", "0:1", "البقرات 1", "الناس 7", "2:255:1", "abc",
          "99999999999999999999:1", "-1", ":2", "/3", ",4", "\u200F-1", "2:x"}) {
        const ParsedReference parsed = parseReference(typed);
        EXPECT_FALSE(parsed.ref.has_value()) << typed.toStdString();
        EXPECT_FALSE(parsed.error.isEmpty()) << typed.toStdString();
    }
    // Each message names the part that is wrong, and quotes it short.
    const std::vector<std::pair<QString, QString>> messages{
        {"2:-1", "لا توجد الآية -1 في سورة البقرة"},
        {"2.5", "لا توجد السورة 2.5"},
        {"-1", "اكتب السورة قبل \"-\""},
        {"البقرات 1", "لا توجد سورة باسم \"البقرات\""},
        {"2:" + QString(400, u'9'), "لا توجد الآية 999999999999"},
    };
    for (const auto& [typed, start] : messages) {
        const QString error = parseReference(typed).error;
        EXPECT_TRUE(error.startsWith(start))
            << typed.left(20).toStdString() << ": " << error.toStdString();
        EXPECT_LT(error.size(), 120) << typed.left(20).toStdString();
    }
    EXPECT_LT(parseReference(QString(32767, u'x')).error.size(), 120);
}

// Going to the aya that is current already is no move: nothing is read or
// shown again.
TEST_F(Reading, GoingToTheCurrentAyaIsNoMove) {
    EXPECT_EQ(session.goTo(262), ReadingSession::Moved::ToAnotherSura);
    EXPECT_EQ(session.goTo(262), ReadingSession::Moved::Nowhere);
    EXPECT_EQ(session.goTo(263), ReadingSession::Moved::WithinSura);
    EXPECT_EQ(session.goTo(1), ReadingSession::Moved::ToAnotherSura);
    EXPECT_EQ(session.goTo(99999), ReadingSession::Moved::Nowhere);
    EXPECT_EQ(session.current(), 1);
}

TEST_F(Reading, TheMushafsPlacesAndStepsThroughThem) {
    ASSERT_TRUE(session.ready());
    const Mushaf& mushaf = session.mushaf();
    ASSERT_EQ(mushaf.ayaCount(), 6236);
    for (qint64 id = 1; id <= mushaf.ayaCount(); ++id) {
        const test::AyaPlace& expected = test::packagePlaces()[static_cast<std::size_t>(id - 1)];
        const AyaPlace& place = mushaf.place(id);
        ASSERT_EQ(std::tuple(place.sura, place.aya, place.juz),
                  std::tuple(expected.sura, expected.aya, expected.juz))
            << id;
        ASSERT_EQ(mushaf.idOf({place.sura, place.aya}), id);
    }
    EXPECT_EQ(mushaf.idOf({2, 287}), std::nullopt);
    EXPECT_EQ(mushaf.nextAya(6236), std::nullopt);
    EXPECT_EQ(mushaf.previousAya(1), std::nullopt);
    EXPECT_EQ(mushaf.nextSura(262), mushaf.idOf({3, 1}));
    EXPECT_EQ(mushaf.previousSura(262), mushaf.idOf({1, 1}));
    EXPECT_EQ(mushaf.previousSura(3), std::nullopt);
    EXPECT_EQ(mushaf.nextSura(6236), std::nullopt);
    // Page by page: every page is reached once, in order, each at its first aya.
    qint64 id = 1;
    int pages = 1;
    while (const auto next = mushaf.nextPage(id)) {
        EXPECT_EQ(mushaf.place(*next).page, mushaf.place(id).page + 1);
        EXPECT_LT(mushaf.place(*next - 1).page, mushaf.place(*next).page);
        EXPECT_EQ(mushaf.previousPage(*next), mushaf.firstOfPage(mushaf.place(id).page));
        id = *next;
        ++pages;
    }
    EXPECT_EQ(pages, 604);
    EXPECT_EQ(mushaf.lastPage(), 604);
}

TEST_F(Reading, TheSuraReadsAsStoredWithItsMarkersAndMatches) {
    ASSERT_EQ(session.goTo(262), ReadingSession::Moved::ToAnotherSura);
    const SuraText& sura = session.sura();
    ASSERT_EQ(sura.placed.size(), 286u);
    EXPECT_TRUE(sura.header.contains(u"البقرة") && sura.header.contains(u"مدنية") &&
                sura.header.contains(u"٢٨٦"));
    for (std::size_t k = 0; k < sura.placed.size(); ++k) {
        const SuraText::Placed& placed = sura.placed[k];
        ASSERT_EQ(sura.body.mid(placed.start, placed.length),
                  test::packageAyaText(static_cast<int>(placed.id)));
        ASSERT_EQ(sura.body.mid(placed.markerStart, placed.markerLength),
                  QChar(0xFD3F) + arabicIndicNumber(static_cast<qint64>(k) + 1) + QChar(0xFD3E));
    }
    EXPECT_EQ(session.goTo(263), ReadingSession::Moved::WithinSura);

    // The marked stretches are those the command line's --spans gives,
    // each at its aya's place in the body.
    session.setSearch(ReadingSession::Search{QStringLiteral("إله"), true});
    const test::ProgramRun run = test::runVelmor({"--search", "إله", "--sura", "2", "--spans"});
    const QStringList lines = run.lines();
    QStringList expected;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        const int aya = lines[i].section(u':', -1).trimmed().toInt();
        const QString text =
            test::packageAyaText(static_cast<int>(*session.mushaf().idOf({2, aya})));
        const std::u32string points = text.toStdU32String();
        for (const QString& pair : lines[i + 1].split(u' ')) {
            const auto start = pair.section(u':', 0, 0).toInt();
            const auto length = pair.section(u':', 1, 1).toInt();
            expected.append(QString::fromStdU32String(
                points.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length))));
        }
    }
    QStringList marked;
    for (const MatchSpan& span : session.matches()) {
        marked.append(sura.body.mid(span.start, span.length));
    }
    EXPECT_GE(expected.size(), 3); // 2:133 once, 2:163 twice
    EXPECT_EQ(marked, expected);
    session.setSearch(std::nullopt);
    EXPECT_TRUE(session.matches().isEmpty());
}

TEST_F(Reading, BothTafsirsOfEveryAyaAsTheirPackagesHaveThem) {
    int mended = 0;
    for (qint64 id = 1; id <= 6236; ++id) {
        session.goTo(id);
        ASSERT_EQ(session.tafsir(TafsirSource::Muyassar),
                  test::packageTafsir(static_cast<int>(id)));
        QString jalalayn = test::packageJalalayn(static_cast<int>(id));
        mended += jalalayn.contains(u"\"\"") ? 1 : 0;
        ASSERT_EQ(session.tafsir(TafsirSource::Jalalayn),
                  jalalayn.replace(QStringLiteral("\"\""), QStringLiteral("\"")))
            << id;
    }
    EXPECT_EQ(mended, 101);
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(Reading, CopiesTheCurrentAyaWithItsReference) {
    session.goTo(*session.mushaf().idOf({112, 1}));
    EXPECT_EQ(session.copyText(false),
              test::packageAyaText(6222) + QStringLiteral(" (الإخلاص : 1 )"));
    const QString plain = session.copyText(true);
    EXPECT_EQ(plain, QStringLiteral("قل هو الله أحد (الإخلاص : 1 )"));
}

TEST(ReaderThemes, EveryThemeReadsAtSevenToOne) {
    for (const ReaderTheme theme : {ReaderTheme::Light, ReaderTheme::Sepia, ReaderTheme::Dark}) {
        const ThemeColours colours = coloursOf(theme);
        EXPECT_GE(contrastRatio(colours.text, colours.background), 7.0)
            << themeKey(theme).toStdString();
        EXPECT_GE(contrastRatio(colours.text, colours.currentAya), 7.0)
            << themeKey(theme).toStdString();
        EXPECT_GE(contrastRatio(colours.matchText, colours.match), 4.5)
            << themeKey(theme).toStdString();
    }
    EXPECT_LT(coloursOf(ReaderTheme::Dark).background.lightness(),
              coloursOf(ReaderTheme::Dark).text.lightness());
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
}

TEST(ReaderPreferencesFile, KeepsWhatWasSavedAndIgnoresWhatCannotBeUsed) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("reader.ini"));
    ReaderPreferences saved;
    saved.scriptureSize = 31.5;
    saved.tafsirSize = 9;
    saved.theme = ReaderTheme::Dark;
    saved.source = TafsirSource::Jalalayn;
    saved.lastAya = 262;
    saved.geometry = QByteArray("\x01\x02", 2);
    ASSERT_TRUE(saved.save(path));
    const ReaderPreferences read = ReaderPreferences::load(path);
    EXPECT_EQ(std::tuple(read.scriptureSize, read.tafsirSize, read.theme, read.source, read.lastAya,
                         read.geometry),
              std::tuple(31.5, 9.0, ReaderTheme::Dark, TafsirSource::Jalalayn,
                         std::optional<qint64>(262), saved.geometry));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nscriptureSize=500\ntafsirSize=abc\ntheme=neon\ntafsir=x\nlastAya=-4\n");
    file.close();
    const ReaderPreferences odd = ReaderPreferences::load(path);
    EXPECT_EQ(std::tuple(odd.scriptureSize, odd.tafsirSize, odd.theme, odd.source, odd.lastAya),
              std::tuple(ReaderPreferences::kScriptureSize, ReaderPreferences::kTafsirSize,
                         ReaderTheme::Light, TafsirSource::Muyassar, std::optional<qint64>()));
    EXPECT_EQ(steppedSize(ReaderPreferences::kMaximumSize, 1), ReaderPreferences::kMaximumSize);
    EXPECT_EQ(steppedSize(ReaderPreferences::kMinimumSize, -1), ReaderPreferences::kMinimumSize);
}
