// Finding quotations of the Qur'an in a reader's text, against the
// generated database, with the data package as the oracle.
#include "quotation_finder.h"
#include "verify_format.h"
#include "verify_support.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

using namespace velmor;
using namespace velmor::verify;

namespace {

const QuotationFinder& finder() {
    static const QuotationFinder shared(test::programWords());
    return shared;
}

// The command line's line of each quotation found.
QStringList linesOf(const QString& text) {
    QStringList lines;
    for (const Quotation& quotation : finder().find(text)) {
        lines.append(quotationLine(finder().quran(), quotation));
    }
    return lines;
}

// Where a piece stands in the text, in code points, as "START:LENGTH".
QString stretchOf(const QString& text, const QString& piece) {
    const qsizetype at = text.indexOf(piece);
    EXPECT_GE(at, 0) << piece.toStdString();
    return QStringLiteral("%1:%2").arg(text.left(at).toUcs4().size()).arg(piece.toUcs4().size());
}

} // namespace

TEST(QuranWords, AreThePackagesWordsFoldedAndMarked) {
    const auto words = test::programWords();
    ASSERT_TRUE(words);
    ASSERT_EQ(words->ayas().size(), 6236U);
    std::size_t at = 0;
    for (std::size_t aya = 0; aya < 6236; ++aya) {
        const auto& expected = test::packageWords()[aya];
        ASSERT_EQ(words->aya(aya).count, expected.size()) << "aya ID " << aya + 1;
        for (const test::PackageWord& word : expected) {
            ASSERT_EQ(QString::fromStdU32String(words->spelling(words->word(at))), word.folded);
            ASSERT_EQ(words->marked(at), word.marked);
            ASSERT_EQ(words->ayaOf(at), aya);
            ++at;
        }
    }
    EXPECT_EQ(at, words->size());
}

TEST(QuotationFinder, FindsEachKindOfSlipAndSaysWhere) {
    struct Case {
        QString text;
        QString quoted; // the stretch the quotation covers
        QString rest;   // the line after START:LENGTH
    };
    const std::vector<Case> cases{
        // exact, with the marks left out and letter variants of its own
        {"قال الخطيب: وقل رب زدني علما. ثم سكت.", "وقل رب زدني علما", "20:114\texact"},
        {"كتب «وَقُلْ رَبِّ زِدْنِي عِلْمًا» على السبورة", "وَقُلْ رَبِّ زِدْنِي عِلْمًا", "20:114\texact"},
        // a word written otherwise, a near spelling
        {"قال الخطيب: وقل ربي زدني علما. ثم سكت.", "وقل ربي زدني علما", "20:114\tdiffers\tربي>رَبِّ"},
        {"وقد قيل إن هذا القرءان يهدي للتي هي أقوم فاعلموا", "إن هذا القرءان يهدي للتي هي أقوم",
         "17:9\tdiffers\tالقرءان>القُرآنَ"},
        // a word left out, a word added
        {"وفي آية الكرسي: الله لا إله إلا هو الحي القيوم لا تأخذه سنة نوم له ما في السماوات",
         "الله لا إله إلا هو الحي القيوم لا تأخذه سنة نوم له ما في السماوات",
         "2:255\tdiffers\t+وَلا"},
        {"يا أيها الذين آمنوا اتقوا الله حق تقاته جميعا ولا تموتن إلا وأنتم مسلمون",
         "يا أيها الذين آمنوا اتقوا الله حق تقاته جميعا ولا تموتن إلا وأنتم مسلمون",
         "3:102\tdiffers\t-جميعا"},
        // from one aya into the next, and from one sura into the next
        {"سورة الإخلاص: قل هو الله أحد، الله الصمد.", "قل هو الله أحد، الله الصمد",
         "112:1-2\texact"},
        {"ختامها ومن شر حاسد إذا حسد قل أعوذ برب الناس", "ومن شر حاسد إذا حسد قل أعوذ برب الناس",
         "113:5-114:1\texact"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(linesOf(c.text), QStringList{stretchOf(c.text, c.quoted) + u'\t' + c.rest})
            << c.text.toStdString();
    }
}

TEST(QuotationFinder, NamesEveryPlaceAnEndingShares) {
    // The places, by the package: every aya that is the refrain alone.
    const QString refrain = QStringLiteral("فبأي آلاء ربكما تكذبان");
    QStringList places;
    for (std::size_t aya = 0; aya < 6236; ++aya) {
        QStringList folded;
        for (const test::PackageWord& word : test::packageWords()[aya]) {
            folded.append(word.folded);
        }
        if (folded.join(u' ') == test::referenceFold(refrain)) {
            const auto& place = test::packagePlaces()[aya];
            places.append(QStringLiteral("%1:%2").arg(place.sura).arg(place.aya));
        }
    }
    ASSERT_EQ(places.size(), 31);
    const QString text = QStringLiteral("ويتكرر فيها قوله: ") + refrain + QStringLiteral(" مرارا");
    EXPECT_EQ(linesOf(text),
              QStringList{stretchOf(text, refrain) + u'\t' + places.join(u',') + "\texact"});
}

TEST(QuotationFinder, FindsTwoInOneParagraphInTheirOrder) {
    const QString text = QStringLiteral(
        "ومن أجمل ما يذكر في الصبر قوله تعالى إن الله مع الصابرين، وفي الشكر لئن شكرتم "
        "لأزيدنكم، فاحفظوا ذلك.");
    const auto found = finder().find(text);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_LT(found[0].start, found[1].start);
    EXPECT_EQ(placesText(finder().quran(), found[1].places), QStringLiteral("14:7"));
    EXPECT_TRUE(found[1].exact());
    for (const Quotation& quotation : found) {
        EXPECT_EQ(text.mid(quotation.utf16Start, quotation.utf16Length).toUcs4().size(),
                  quotation.length);
    }
}

TEST(QuotationFinder, NeverReportsProseOfCommonWords) {
    const QStringList prose{
        "ذهبنا إلى المسجد في يوم الجمعة وصلينا ثم رجعنا إلى البيت",
        "من الله علينا بالصحة والعافية، والحمد لله على كل حال",
        "كان الطالب في الفصل يكتب الدرس على كل صفحة من الدفتر",
        "قال الله تعالى في كتابه، وقال النبي صلى الله عليه وسلم في الحديث",
        "في سبيل الله نمضي، ومن الله التوفيق، وعلى الله التكلان في كل أمر",
        "إن الذين يعملون في هذه الشركة لا يعلمون ما في الأرض من خير",
        "The quick brown fox, 1234, !!! ؟؟ ... ـــ",
        "",
    };
    for (const QString& text : prose) {
        EXPECT_EQ(linesOf(text), QStringList()) << text.toStdString();
    }
}

// Stretches of the package's words, embedded in prose with one slip or
// none, are found where they were taken from with exactly that slip.
TEST(QuotationFinder, FindsRandomStretchesWithTheirSlips) {
    std::vector<std::pair<std::size_t, std::size_t>> all; // (aya, word) of every word
    std::map<QString, int> counts;
    for (std::size_t aya = 0; aya < 6236; ++aya) {
        for (std::size_t k = 0; k < test::packageWords()[aya].size(); ++k) {
            all.emplace_back(aya, k);
            ++counts[test::packageWords()[aya][k].folded];
        }
    }
    const auto wordAt = [&](std::size_t n) -> const test::PackageWord& {
        return test::packageWords()[all[n].first][all[n].second];
    };
    std::mt19937 random(20261208);
    int tried = 0;
    while (tried < 150) {
        constexpr std::size_t kLength = 9;
        const std::size_t first = random() % (all.size() - kLength);
        std::vector<QString> words;
        double bits = 0;
        for (std::size_t n = first; n < first + kLength; ++n) {
            words.push_back(wordAt(n).marked);
            bits -= std::log2(counts[wordAt(n).folded] / static_cast<double>(all.size()));
        }
        if (bits < 60) {
            continue; // common words only: no quotation to speak of
        }
        const int kind = tried % 4; // none, another word, one left out, one added
        const std::size_t at = 3 + random() % 3;
        if (wordAt(first + at).folded == wordAt(first + at - 1).folded ||
            wordAt(first + at).folded == wordAt(first + at + 1).folded) {
            continue; // which of two alike words is the slip would be a guess
        }
        QString slip;
        if (kind == 1) {
            words[at] = QStringLiteral("كمبيوتر");
            slip = QStringLiteral("كمبيوتر>") + wordAt(first + at).marked;
        } else if (kind == 2) {
            slip = u'+' + wordAt(first + at).marked;
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(at));
        } else if (kind == 3) {
            words.insert(words.begin() + static_cast<std::ptrdiff_t>(at), QStringLiteral("حاسوب"));
            slip = QStringLiteral("-حاسوب");
        }
        ++tried;
        QStringList joined(words.begin(), words.end());
        const QString quoted = joined.join(u' ');
        const QString text =
            QStringLiteral("كتب الطالب اليوم: ") + quoted + QStringLiteral(" انتهى.");
        const auto found = finder().find(text);
        ASSERT_EQ(found.size(), 1U) << text.toStdString();
        const auto& place = test::packagePlaces()[all[first].first];
        const QString ref = QStringLiteral("%1:%2").arg(place.sura).arg(place.aya);
        const QString refs = placesText(finder().quran(), found[0].places);
        EXPECT_TRUE(std::any_of(found[0].places.begin(), found[0].places.end(),
                                [&](const WordRun& run) {
                                    return finder().quran().ayaOf(run.first) == all[first].first;
                                }))
            << text.toStdString() << " found " << refs.toStdString() << " not "
            << ref.toStdString();
        EXPECT_EQ(quotationLine(finder().quran(), found[0]),
                  stretchOf(text, quoted) + u'\t' + refs +
                      (slip.isEmpty() ? "\texact" : "\tdiffers\t" + slip))
            << text.toStdString();
    }
}

TEST(QuotationFinder, SlipsTurnTheWordsWrittenIntoTheAyas) {
    const QString text = QStringLiteral(
        "وقلنا يا آدم اسكن أنت وزوجتك الجنة وكلا منها رغدا حيث شئتم ولا تقربا هذه الشجرة "
        "فتكونوا من الظالمين");
    const auto found = finder().find(text);
    ASSERT_EQ(found.size(), 1U);
    const QuranWords& quran = finder().quran();
    const WordRun place = found[0].places.front();
    const auto written = inputWords(text);
    QStringList rebuilt;
    for (const AlignedStep& step : found[0].steps) {
        if (step.kind == AlignedStep::Same) {
            EXPECT_EQ(QString::fromStdU32String(written[found[0].firstWord + step.a].folded),
                      QString::fromStdU32String(quran.spelling(quran.word(place.first + step.b))));
        }
        if (step.kind != AlignedStep::Added) {
            rebuilt.append(quran.marked(place.first + static_cast<std::size_t>(step.b)));
        }
    }
    QStringList expected;
    for (std::size_t k = place.first; k < place.last; ++k) {
        expected.append(quran.marked(k));
    }
    EXPECT_EQ(rebuilt, expected);
    EXPECT_EQ(placesText(quran, found[0].places), QStringLiteral("2:35"));
    EXPECT_EQ(found[0].slips.size(), 3U);
}

// A text that says the same words over and over is checked like any other:
// each repeated quotation found, a repeated common pair none.
TEST(QuotationFinder, TakesRepetitionInItsStride) {
    QString refrains;
    for (int k = 0; k < 200; ++k) {
        refrains += QStringLiteral("قال تعالى فبأي آلاء ربكما تكذبان ثم سكت. ");
    }
    const auto found = finder().find(refrains);
    ASSERT_EQ(found.size(), 200U);
    EXPECT_EQ(found.back().places.size(), 31U);
    EXPECT_TRUE(finder().find(QStringLiteral("إن الله ").repeated(60000)).empty());
}
