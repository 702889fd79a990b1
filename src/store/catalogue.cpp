#include "catalogue.h"

namespace velmor::store::catalogue {

namespace {

const QString kSelect = QStringLiteral("SELECT *  FROM Ayat where ");
const QString kWholeTextLike = QStringLiteral("Ayat.AyaaIndex like ");
const QString kScopedLike = QStringLiteral(" And Ayat.AyaaIndex Like ");
const QString kOrder = QStringLiteral("order by ID");

QString wordPattern(const QString& w) {
    return u'\'' + quoteSearchText(searchPattern(w, true)) + u'\'';
}
QString partPattern(const QString& w) {
    return u'\'' + quoteSearchText(searchPattern(w, false)) + u'\'';
}

QString juzIs(int juz) {
    return kSelect + QStringLiteral("chapterNO = ") + QString::number(juz);
}
QString juzBetween(int first, int last) {
    return kSelect + QStringLiteral("chapterNO between ") + QString::number(first) +
           QStringLiteral(" and ") + QString::number(last);
}
QString suraIs(int sura) {
    return kSelect + QStringLiteral("soraano = ") + QString::number(sura);
}
QString suraBetween(int first, int last) {
    return kSelect + QStringLiteral("soraano between ") + QString::number(first) +
           QStringLiteral(" and ") + QString::number(last);
}

// The scoped stand-alone forms carry two blanks between "Like" and the quote.
QString scopedWord(const QString& scope, const QString& w) {
    return scope + kScopedLike + u' ' + wordPattern(w) + kOrder;
}
QString scopedPart(const QString& scope, const QString& w) {
    return scope + kScopedLike + partPattern(w) + kOrder;
}

} // namespace

QString searchPattern(const QString& w, bool wholeWord) {
    // "%" + " " + W + " " + "%": W between blanks, as a stand-alone word;
    // "%" + W + "%": W anywhere, inside longer words too.
    return wholeWord ? QStringLiteral("% ") + w + QStringLiteral(" %")
                     : QStringLiteral("%") + w + QStringLiteral("%");
}

QString quoteSearchText(const QString& w) {
    QString quoted = w;
    quoted.replace(u'\'', QStringLiteral("''"));
    return quoted;
}

QString wordInWholeText(const QString& w) {
    return kSelect + kWholeTextLike + wordPattern(w) + kOrder;
}
QString partInWholeText(const QString& w) {
    return kSelect + kWholeTextLike + partPattern(w) + kOrder;
}
QString wordInJuz(int juz, const QString& w) {
    return scopedWord(juzIs(juz), w);
}
QString partInJuz(int juz, const QString& w) {
    return scopedPart(juzIs(juz), w);
}
QString wordInJuzRange(int first, int last, const QString& w) {
    return scopedWord(juzBetween(first, last), w);
}
QString partInJuzRange(int first, int last, const QString& w) {
    return scopedPart(juzBetween(first, last), w);
}
QString wordInSura(int sura, const QString& w) {
    return scopedWord(suraIs(sura), w);
}
QString partInSura(int sura, const QString& w) {
    return scopedPart(suraIs(sura), w);
}
QString wordInSuraRange(int first, int last, const QString& w) {
    return scopedWord(suraBetween(first, last), w);
}
QString partInSuraRange(int first, int last, const QString& w) {
    return scopedPart(suraBetween(first, last), w);
}
QString wholeSura(int sura) {
    return kSelect + QStringLiteral("Ayat.soraano like ") + QString::number(sura);
}
QString wholeSuraInOrder(int sura) {
    return wholeSura(sura) + QStringLiteral(" order by ID");
}
QString wholeJuz(int juz) {
    return kSelect + QStringLiteral("Ayat.chapterNO like ") + QString::number(juz) +
           QStringLiteral(" order by ID");
}
QString oneAya(qint64 id) {
    return kSelect + QStringLiteral("Ayat.ID like ") + QString::number(id);
}

QString everyAyaPlace() {
    return QStringLiteral("SELECT ID, soraano, ayaano, chapterNO, pageno FROM Ayat order by ID");
}
QString everyAyaText() {
    return QStringLiteral("SELECT ID, soraano, ayaano, ayaa FROM Ayat order by ID");
}
QString everyAyaForResearch() {
    return QStringLiteral("SELECT ID, soraano, ayaano, chapterNO, ayaa, taf FROM Ayat order by ID");
}
QString everyJalalayn() {
    return QStringLiteral("SELECT ID, taf FROM Jalalayn order by ID");
}
QString wholePage(int page) {
    return kSelect + QStringLiteral("Ayat.pageno = ") + QString::number(page) +
           QStringLiteral(" order by ID");
}
QString jalalaynOf(qint64 id) {
    return QStringLiteral("SELECT taf FROM Jalalayn where ID = ") + QString::number(id);
}
QString ayasBetween(qint64 first, qint64 last) {
    return QStringLiteral("SELECT ID, soraano, ayaano, ayaa, taf FROM Ayat where ID >= %1 and "
                          "ID <= %2 order by ID")
        .arg(first)
        .arg(last);
}
QString jalalaynBetween(qint64 first, qint64 last) {
    return QStringLiteral("SELECT ID, taf FROM Jalalayn where ID >= %1 and ID <= %2 order by ID")
        .arg(first)
        .arg(last);
}
QString uthmaniOf(qint64 first, qint64 last) {
    return QStringLiteral("SELECT ID, ayaa FROM Uthmani where ID >= %1 and ID <= %2 order by ID")
        .arg(first)
        .arg(last);
}

} // namespace velmor::store::catalogue
