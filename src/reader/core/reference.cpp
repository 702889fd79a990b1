#include "reference.h"

#include "arabic_fold.h"
#include "reference_lists.h"

#include <QRegularExpression>
#include <QStringList>

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

ParsedReference parseReference(const QString& typed) {
    QString text = westernDigits(typed).simplified();
    // The word "sura" before a name or number says nothing more.
    static const QRegularExpression suraWord(QStringLiteral("^سور[ةه]\\s*"));
    text.remove(suraWord);
    if (text.isEmpty()) {
        return failure(QStringLiteral("اكتب مرجع الآية، مثل 2:255 أو البقرة 255"));
    }
    // A sura (name or number), then optionally a separator and an aya number.
    static const QRegularExpression shape(
        QStringLiteral("^(.*?)\\s*(?:[:：/،,\\-]\\s*|\\s)?(\\d+)?$"));
    const QRegularExpressionMatch match = shape.match(text);
    QString suraPart = match.captured(1).trimmed();
    QString ayaPart = match.captured(2);
    if (suraPart.isEmpty()) { // a number alone names a sura
        std::swap(suraPart, ayaPart);
    }
    static const QRegularExpression digitsOnly(QStringLiteral("^\\d+$"));
    int sura = 0;
    if (digitsOnly.match(suraPart).hasMatch()) {
        bool ok = false;
        sura = suraPart.toInt(&ok);
        if (!ok || sura < 1 || sura > 114) {
            return failure(
                QStringLiteral("لا توجد السورة %1: أرقام السور من 1 إلى 114").arg(suraPart));
        }
    } else if ((sura = suraNamed(suraPart)) == 0) {
        return failure(QStringLiteral("لا توجد سورة باسم \"%1\"").arg(suraPart));
    }
    if (ayaPart.isEmpty()) {
        return {AyaRef{sura, 1}, {}};
    }
    bool ok = false;
    const int aya = ayaPart.toInt(&ok);
    const int count = ayaCountOf(sura);
    if (!ok || aya < 1 || aya > count) {
        return failure(QStringLiteral("لا توجد الآية %1 في سورة %2: آياتها من 1 إلى %3")
                           .arg(ayaPart, store::compairlist()[sura - 1])
                           .arg(count));
    }
    return {AyaRef{sura, aya}, {}};
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
