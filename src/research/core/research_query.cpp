#include "research_query.h"

#include <QRegularExpression>

namespace velmor::research {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == QChar(0x00A0);
}

class Parser {
public:
    explicit Parser(const QString& text) : text_(text) {}

    Outcome<Query> parse() {
        Query query;
        while (skipBlanks()) {
            const bool excluded = text_[at_] == u'-';
            if (excluded) {
                ++at_;
                if (atEnd() || isBlank(text_[at_])) {
                    return fail(QStringLiteral("علامة الاستثناء «-» لا تتبعها كلمة."));
                }
            }
            Outcome<Term> term = readTerm();
            if (!term) {
                return fail(term.reason());
            }
            (excluded ? query.excluded : query.required).push_back(*term);
        }
        if (query.required.empty()) {
            return fail(
                query.excluded.empty()
                    ? QStringLiteral("اكتب كلمة أو عبارة للبحث عنها.")
                    : QStringLiteral("لا يكون البحث باستثناء وحده: اكتب معه كلمة يبحث عنها."));
        }
        return query;
    }

private:
    static Outcome<Query> fail(const QString& why) { return Outcome<Query>::failed(why); }
    bool atEnd() const { return at_ >= text_.size(); }
    // Past the blanks; false at the end.
    bool skipBlanks() {
        while (!atEnd() && isBlank(text_[at_])) {
            ++at_;
        }
        return !atEnd();
    }

    Outcome<Term> readTerm() {
        Term term;
        if (text_[at_] == u'|') {
            return Outcome<Term>::failed(QStringLiteral("لا كلمة قبل «|»."));
        }
        for (;;) {
            Outcome<Phrase> phrase = text_[at_] == u'"' ? readQuoted() : readWord();
            if (!phrase) {
                return Outcome<Term>::failed(phrase.reason());
            }
            term.choices.push_back(*phrase);
            if (atEnd() || text_[at_] != u'|') {
                break;
            }
            ++at_;
            if (atEnd() || isBlank(text_[at_]) || text_[at_] == u'|') {
                return Outcome<Term>::failed(QStringLiteral("لا كلمة بعد «|»."));
            }
        }
        if (!atEnd() && !isBlank(text_[at_])) {
            return Outcome<Term>::failed(
                QStringLiteral("علامة التنصيص في وسط كلمة: افصل العبارة بمسافة."));
        }
        return term;
    }

    Outcome<Phrase> readQuoted() {
        const qsizetype close = text_.indexOf(u'"', at_ + 1);
        if (close < 0) {
            return Outcome<Phrase>::failed(QStringLiteral("علامة التنصيص غير مغلقة."));
        }
        static const QRegularExpression blanks(QStringLiteral("[\\s\\x{00A0}]+"));
        const QStringList words =
            text_.mid(at_ + 1, close - at_ - 1).split(blanks, Qt::SkipEmptyParts);
        at_ = close + 1;
        if (words.isEmpty()) {
            return Outcome<Phrase>::failed(QStringLiteral("لا شيء بين علامتي التنصيص."));
        }
        return Phrase{words};
    }

    Outcome<Phrase> readWord() {
        const qsizetype start = at_;
        while (!atEnd() && !isBlank(text_[at_]) && text_[at_] != u'|') {
            if (text_[at_] == u'"') {
                return Outcome<Phrase>::failed(
                    QStringLiteral("علامة التنصيص في وسط كلمة: افصل العبارة بمسافة."));
            }
            ++at_;
        }
        return Phrase{{text_.mid(start, at_ - start)}};
    }

    const QString& text_;
    qsizetype at_ = 0;
};

} // namespace

Outcome<Query> parseQuery(const QString& text) {
    return Parser(text).parse();
}

} // namespace velmor::research
