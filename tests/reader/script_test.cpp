// The Uthmani text: stored as its package has it, shown sura by sura, and
// the search's matches carried over to its words.
#include "connection_string.h"
#include "database.h"
#include "reading.h"
#include "run_program.h"
#include "scripture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace velmor;

namespace {

QString programFolder() {
    return QFileInfo(QStringLiteral(VELMOR_TEST_DATABASE)).absolutePath();
}

class UthmaniScript : public ::testing::Test {
protected:
    QStringList failures;
    store::Store store{[this](const QString& message) { failures.append(message); }};
    ReadingSession session{store, store::buildConnectionString(programFolder())};
};

// The words of a text as the tests see them: runs between blanks that hold
// a letter (a sign standing alone is none).
QStringList wordsOf(const QString& text) {
    QStringList words;
    for (const QString& piece : QString(text).replace(QChar(0x00A0), u' ').split(u' ')) {
        if (std::any_of(piece.begin(), piece.end(),
                        [](QChar c) { return c.category() == QChar::Letter_Other; })) {
            words.append(piece);
        }
    }
    return words;
}

} // namespace

TEST_F(UthmaniScript, EveryAyaIsStoredAsThePackageHasIt) {
    ASSERT_TRUE(session.setScript(Script::Uthmani));
    int same = 0;
    for (int sura = 1; sura <= 114; ++sura) {
        ASSERT_NE(session.goTo(*session.mushaf().firstOfSura(sura)),
                  ReadingSession::Moved::Nowhere);
        for (const ReaderAya& aya : session.sura().ayas) {
            same += aya.text == test::packageUthmani(static_cast<int>(aya.id)) ? 1 : 0;
        }
    }
    EXPECT_EQ(same, 6236);
    EXPECT_TRUE(failures.isEmpty());
    // The command line prints it as stored, in either script.
    for (const auto& [script, text] :
         {std::pair{"uthmani", test::packageUthmani(262)}, {"simple", test::packageAyaText(262)}}) {
        const test::ProgramRun run =
            test::runVelmor({QStringLiteral("--aya"), QStringLiteral("2:255"),
                             QStringLiteral("--script"), QString::fromLatin1(script)});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(QString::fromUtf8(run.out), text + u'\n');
    }
    EXPECT_EQ(test::runVelmor({QStringLiteral("--aya"), QStringLiteral("2:255"),
                               QStringLiteral("--script"), QStringLiteral("kufic")})
                  .exitCode,
              2);
}

// Each search marks the whole Uthmani words that hold what it matched in the
// simple text, where the two texts join or part words differently.
TEST_F(UthmaniScript, MatchesAreMarkedOnTheWordsThatHoldThem) {
    // The stretches expected, as runs of the package's Uthmani words.
    using Runs = std::vector<std::pair<int, int>>;
    const struct {
        const char* ref;
        QString search;
        bool wholeWord;
        Runs marked;
    } cases[] = {
        // يا joins the next word.
        {"2:21", "يا", true, {{0, 0}}},
        {"2:21", "أيها الناس", true, {{0, 1}}},
        {"2:35", "آدم", true, {{1, 1}}},
        {"11:52", "قوم", true, {{0, 0}}},
        // ما لي, لو ما, يا ابن أم: two and three words in one.
        {"27:20", "لي", true, {{3, 3}}},
        {"15:7", "ما", true, {{0, 0}}},
        {"20:94", "أم", true, {{1, 1}}},
        // The same words apart: the word with its pause mark, a phrase whole.
        {"2:255", "الحي القيوم", true, {{5, 6}}},
        {"2:163", "واحد", true, {{2, 2}}},
        // Part of a word marks the whole word; a folded hamza matches too.
        {"2:255", "قيو", false, {{6, 6}}},
        // The hizb sign before the aya's first word is no word.
        {"2:26", "إن", true, {{0, 0}, {4, 4}}},
    };
    ASSERT_TRUE(session.setScript(Script::Uthmani));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ref);
        const auto id = session.mushaf().idOf(*parseReference(QString::fromLatin1(c.ref)).ref);
        ASSERT_TRUE(id);
        session.goTo(*id);
        ASSERT_TRUE(session.setSearch(ReadingSession::Search{c.search, c.wholeWord}) ||
                    !session.matches().isEmpty());
        const SuraText::Placed* aya = session.sura().find(*id);
        const QStringList words = wordsOf(test::packageUthmani(static_cast<int>(*id)));
        QStringList expected;
        for (const auto& [first, last] : c.marked) {
            expected.append(words.mid(first, last - first + 1).join(u' '));
        }
        QStringList marked;
        for (const MatchSpan& span : session.matches()) {
            if (span.start >= aya->start && span.start < aya->start + aya->length) {
                marked.append(session.sura().body.mid(span.start, span.length));
            }
        }
        EXPECT_EQ(marked, expected);
        static_cast<void>(session.setSearch(std::nullopt));
    }
}

// The alignment of the two texts over all 6236 ayas: each Uthmani word holds
// one or more simple words in order, and where the texts have as many words
// it pairs them one to one. Where they differ, the words joined are what the
// package's simple text writes apart: the vocative يا (or its و-form) and
// the few others the Uthmani text writes as one.
TEST_F(UthmaniScript, TheTwoTextsAlignWordByWord) {
    int differing = 0;
    int joinedVocatives = 0;
    int joinedOthers = 0;
    for (int id = 1; id <= 6236; ++id) {
        const QString simple = test::packageAyaText(id);
        const QString uthmani = test::packageUthmani(id);
        const QStringList s = wordsOf(simple);
        const QStringList u = wordsOf(uthmani);
        const std::vector<int> owner = uthmaniWordOf(simple, uthmani);
        ASSERT_EQ(owner.size(), static_cast<std::size_t>(s.size())) << id;
        ASSERT_EQ(owner.front(), 0) << id;
        ASSERT_EQ(owner.back(), u.size() - 1) << id;
        for (std::size_t k = 1; k < owner.size(); ++k) {
            ASSERT_TRUE(owner[k] == owner[k - 1] || owner[k] == owner[k - 1] + 1) << id;
            if (owner[k] == owner[k - 1]) {
                const QString first = test::referenceFold(s[static_cast<qsizetype>(k - 1)]);
                (first == u"يا" || first == u"ويا" ? joinedVocatives : joinedOthers) += 1;
            }
        }
        if (s.size() != u.size()) {
            ++differing;
        } else {
            for (std::size_t k = 0; k < owner.size(); ++k) {
                ASSERT_EQ(owner[k], static_cast<int>(k)) << id;
            }
        }
    }
    EXPECT_EQ(differing, 366);
    EXPECT_EQ(joinedVocatives + joinedOthers, 370); // 362 ayas one word fewer, 4 two fewer
    EXPECT_GT(joinedVocatives, 340);
}
