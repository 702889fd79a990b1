#include "reference.h"

#include "arabic_fold.h"
#include "reference_lists.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace velmor {

namespace {

// A name as references compare it: folded as the search folds, blanks
// dropped, without the article, so "بقرة" and "البَقَرَة" name the same sura.
QString comparableName(const QString& name) {
    std::u32string folded;
    store::appendFolded(name.toStdString(), folded);
    QString plain;
    for (const char32_t c : folded) {
        if (c != U' ' && c != 0x00A0) {
            plain += QString::fromUcs4(&c, 1);
        }
    }
    if (plain.startsWith(u"ال") && plain.size() > 3) {
        plain.remove(0, 2);
    }
    return plain;
}

int ayaCountOf(int sura) {
    return store::soraayanumlist()[sura - 1].trimmed().toInt();
}

ParsedReference failure(const QString& error) {
    return {std::nullopt, error};
}

} // namespace

int suraNamed(const QString& name) {
    static const QStringList names = [] {
        QStringList all;
        for (const QString& each : store::compairlist()) {
            all.append(comparableName(each));
        }
        return all;
    }();
    const QString wanted = comparableName(name);
    if (wanted.isEmpty()) {
        return 0;
    }
    const qsizetype index = names.indexOf(wanted);
    return index < 0 ? 0 : static_cast<int>(index) + 1;
}

namespace {

// What a message quotes of the reader's text: enough to recognise it, never
// so much that it cannot be read at a glance.
QString quoted(const QString& text) {
    constexpr qsizetype kLongest = 24;
    return text.size() <= kLongest
               ? text
               : text.left(kLongest / 2) + QChar(0x2026) + text.right(kLongest / 2);
}

// Without the marks that set a text's direction, which a reference pasted
// from a right-to-left text carries (LRM, RLM, ALM, embeddings, isolates).
QString withoutDirectionMarks(QString text) {
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u == 0x200E || u == 0x200F || u == 0x061C || (u >= 0x202A && u <= 0x202E) ||
               (u >= 0x2066 && u <= 0x2069);
    });
    return text;
}

bool isSeparator(QChar c) {
    return QStringView(u":：/،,-").contains(c);
}

bool isNumber(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    return digits.match(text).hasMatch();
}

} // namespace

ParsedReference parseReference(const QString& typed) {
    QString text = westernDigits(withoutDirectionMarks(typed)).simplified();
    // The word "sura" before a name or number says nothing more.
    static const QRegularExpression suraWord(QStringLiteral("^سور[ةه]\\s*"));
    text.remove(suraWord);
    if (text.isEmpty()) {
        return failure(QStringLiteral("اكتب مرجع الآية، مثل 2:255 أو البقرة 255"));
    }
    // The sura (a name or a number), then a separator or a blank and the
    // aya's number, or the sura alone.
    QString suraPart = text;
    QString ayaPart;
    const qsizetype separator = std::find_if(text.begin(), text.end(), isSeparator) - text.begin();
    if (separator < text.size()) {
        suraPart = text.left(separator).trimmed();
        ayaPart = text.mid(separator + 1).trimmed();
        if (suraPart.isEmpty()) {
            return failure(
                QStringLiteral("اكتب السورة قبل \"%1\"، مثل 2:255").arg(text[separator]));
        }
    } else if (const qsizetype blank = text.lastIndexOf(u' ');
               blank > 0 && isNumber(text.mid(blank + 1))) {
        suraPart = text.left(blank);
        ayaPart = text.mid(blank + 1);
    }
    int sura = 0;
    if (isNumber(suraPart)) {
        bool ok = false;
        sura = suraPart.toInt(&ok);
        if (!ok || sura < 1 || sura > 114) {
            return failure(QStringLiteral("لا توجد السورة %1: أرقام السور من 1 إلى 114")
                               .arg(quoted(suraPart)));
        }
    } else if ((sura = suraNamed(suraPart)) == 0) {
        static const QRegularExpression numberLike(QStringLiteral("^[\\d.\\s]+$"));
        return failure(numberLike.match(suraPart).hasMatch()
                           ? QStringLiteral("لا توجد السورة %1: أرقام السور من 1 إلى 114")
                                 .arg(quoted(suraPart))
                           : QStringLiteral("لا توجد سورة باسم \"%1\"").arg(quoted(suraPart)));
    }
    if (ayaPart.isEmpty()) {
        return {AyaRef{sura, 1}, {}};
    }
    bool ok = false;
    const int aya = isNumber(ayaPart) ? ayaPart.toInt(&ok) : 0;
    const int count = ayaCountOf(sura);
    if (!ok || aya < 1 || aya > count) {
        return failure(QStringLiteral("لا توجد الآية %1 في سورة %2: آياتها من 1 إلى %3")
                           .arg(quoted(ayaPart), store::compairlist()[sura - 1])
                           .arg(count));
    }
    return {AyaRef{sura, aya}, {}};
}

QString westernDigits(QString text) {
    for (QChar& c : text) {
        if (c.unicode() >= 0x0660 && c.unicode() <= 0x0669) {
            c = QChar(u'0' + (c.unicode() - 0x0660));
        } else if (c.unicode() >= 0x06F0 && c.unicode() <= 0x06F9) {
            c = QChar(u'0' + (c.unicode() - 0x06F0));
        }
    }
    return text;
}

QString arabicIndicNumber(qint64 number) {
    QString digits = QString::number(number);
    for (QChar& c : digits) {
        if (c.isDigit()) {
            c = QChar(0x0660 + (c.unicode() - u'0'));
        }
    }
    return digits;
}

} // namespace velmor
