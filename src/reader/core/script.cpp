#include "script.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace velmor {

QString scriptTitle(Script script) {
    return script == Script::Uthmani ? QStringLiteral("الرسم العثماني")
                                     : QStringLiteral("الرسم الإملائي");
}

QString scriptKey(Script script) {
    return script == Script::Uthmani ? QStringLiteral("uthmani") : QStringLiteral("simple");
}

std::optional<Script> scriptNamed(const QString& key) {
    for (const Script script : {Script::Simple, Script::Uthmani}) {
        if (key == scriptKey(script)) {
            return script;
        }
    }
    return std::nullopt;
}

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == QChar(0x00A0);
}

bool isLetter(QChar c) {
    return c.category() == QChar::Letter_Other && c != QChar(0x0640);
}

// The letters that carry a word's sound in both spellings: the long vowels
// and the seats of hamza, which the two scripts write differently, are left
// out; alif maqsura is ya.
QString consonants(QStringView word) {
    QString kept;
    for (const QChar c : word) {
        switch (c.unicode()) {
        case 0x0621:
        case 0x0622:
        case 0x0623:
        case 0x0625:
        case 0x0627:
        case 0x0671:
            continue;
        case 0x0649:
            kept += QChar(0x064A);
            continue;
        default:
            if (isLetter(c)) {
                kept += c;
            }
        }
    }
    return kept;
}

int editDistance(const QString& a, const QString& b) {
    std::vector<int> row(static_cast<std::size_t>(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j) {
        row[j] = static_cast<int>(j);
    }
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const auto k = static_cast<std::size_t>(j);
            const int replaced = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            diagonal = row[k];
            row[k] = std::min({replaced, row[k] + 1, row[k - 1] + 1});
        }
    }
    return row.back();
}

} // namespace

std::vector<TextWord> textWords(const QString& text) {
    std::vector<TextWord> words;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
        const qsizetype start = i;
        bool hasLetter = false;
        while (i < text.size() && !isBlank(text[i])) {
            hasLetter = hasLetter || isLetter(text[i]);
            ++i;
        }
        if (hasLetter) {
            words.push_back({start, i - start});
        }
    }
    return words;
}

namespace {

// For each of the n simple words, the Uthmani word that holds it, each
// Uthmani word taking 1..kMost consecutive simple words, at the least cost
// of consonants spelled otherwise; nothing when no such alignment exists.
std::optional<std::vector<int>> alignByConsonants(const std::vector<QString>& simple,
                                                  const std::vector<QString>& uthmani) {
    constexpr std::size_t kMost = 3;
    constexpr int kNever = std::numeric_limits<int>::max() / 2;
    const std::size_t n = simple.size();
    const std::size_t m = uthmani.size();
    // cost[i][j]: the best alignment of the first i simple words with the
    // first j Uthmani words; took[i][j]: how many the j-th took.
    std::vector<std::vector<int>> cost(n + 1, std::vector<int>(m + 1, kNever));
    std::vector<std::vector<unsigned char>> took(n + 1, std::vector<unsigned char>(m + 1, 0));
    cost[0][0] = 0;
    for (std::size_t j = 1; j <= m; ++j) {
        for (std::size_t i = j; i <= n && i <= j * kMost; ++i) {
            QString joined;
            for (std::size_t k = 1; k <= kMost && k <= i; ++k) {
                joined.prepend(simple[i - k]);
                if (cost[i - k][j - 1] == kNever) {
                    continue;
                }
                // A join is a little dearer than a word for a word, so that
                // equal spellings pair one to one.
                const int c = cost[i - k][j - 1] + editDistance(joined, uthmani[j - 1]) +
                              static_cast<int>(k - 1);
                if (c < cost[i][j]) {
                    cost[i][j] = c;
                    took[i][j] = static_cast<unsigned char>(k);
                }
            }
        }
    }
    if (cost[n][m] == kNever) {
        return std::nullopt;
    }
    std::vector<int> owner(n, 0);
    for (std::size_t i = n, j = m; j > 0; --j) {
        for (std::size_t k = took[i][j]; k > 0; --k) {
            owner[--i] = static_cast<int>(j - 1);
        }
    }
    return owner;
}

} // namespace

std::vector<int> uthmaniWordOf(const QString& simple, const QString& uthmani) {
    const std::vector<TextWord> s = textWords(simple);
    const std::vector<TextWord> u = textWords(uthmani);
    const auto n = s.size();
    const auto m = u.size();
    std::vector<int> owner(n, 0);
    if (m == 0) {
        return owner;
    }
    // As many words (or fewer, which the texts never have): in order.
    if (n > m) {
        std::vector<QString> sc(n);
        std::vector<QString> uc(m);
        for (std::size_t i = 0; i < n; ++i) {
            sc[i] = consonants(QStringView(simple).mid(s[i].start, s[i].length));
        }
        for (std::size_t j = 0; j < m; ++j) {
            uc[j] = consonants(QStringView(uthmani).mid(u[j].start, u[j].length));
        }
        if (std::optional<std::vector<int>> aligned = alignByConsonants(sc, uc)) {
            return *std::move(aligned);
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        owner[i] = static_cast<int>(std::min(i, m - 1));
    }
    return owner;
}

QList<MatchSpan> uthmaniSpans(const QList<MatchSpan>& simpleSpans, const QString& simple,
                              const QString& uthmani) {
    if (simpleSpans.isEmpty()) {
        return {};
    }
    const std::vector<TextWord> s = textWords(simple);
    const std::vector<TextWord> u = textWords(uthmani);
    const std::vector<int> owner = uthmaniWordOf(simple, uthmani);
    std::vector<bool> marked(u.size(), false);
    for (const MatchSpan& span : simpleSpans) {
        for (std::size_t i = 0; i < s.size(); ++i) {
            const bool overlaps =
                s[i].start < span.start + span.length && span.start < s[i].start + s[i].length;
            if (overlaps && owner[i] >= 0 && static_cast<std::size_t>(owner[i]) < u.size()) {
                marked[static_cast<std::size_t>(owner[i])] = true;
            }
        }
    }
    QList<MatchSpan> spans;
    for (std::size_t j = 0; j < u.size(); ++j) {
        if (!marked[j]) {
            continue;
        }
        const qsizetype end = u[j].start + u[j].length;
        if (j > 0 && marked[j - 1] && !spans.isEmpty()) {
            spans.back().length = end - spans.back().start;
        } else {
            spans.append({u[j].start, u[j].length});
        }
    }
    return spans;
}

} // namespace velmor
