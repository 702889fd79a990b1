#pragma once

#include <QString>

// Every SQL text the program sends, one function per query form. The pieces
// are fixed (two blanks after '*', "like"/"Like" as written, no blank before
// "order by ID" after the closing quote) because the queries are matched on
// their exact text elsewhere. The search text W is inserted as typed except
// that each apostrophe is doubled, so no text can end the literal early;
// '%' and '_' keep their pattern meaning.
namespace velmor::store::catalogue {

// W with every apostrophe doubled: the content of an SQL string literal.
QString quoteSearchText(const QString& w);
// The LIKE pattern a search for W matches the searchable form against, before
// it is quoted into the query.
QString searchPattern(const QString& w, bool wholeWord);

QString wordInWholeText(const QString& w);                      // form 1
QString partInWholeText(const QString& w);                      // form 2
QString wordInJuz(int juz, const QString& w);                   // form 3
QString partInJuz(int juz, const QString& w);                   // form 4
QString wordInJuzRange(int first, int last, const QString& w);  // form 5
QString partInJuzRange(int first, int last, const QString& w);  // form 6
QString wordInSura(int sura, const QString& w);                 // form 7
QString partInSura(int sura, const QString& w);                 // form 8
QString wordInSuraRange(int first, int last, const QString& w); // form 9
QString partInSuraRange(int first, int last, const QString& w); // form 10
QString wholeSura(int sura);                                    // form 11, table order
QString wholeSuraInOrder(int sura);                             // form 12
QString wholeJuz(int juz);                                      // form 13
QString oneAya(qint64 id);                                      // form 14

// Beyond the designed forms: the reading window and the command line.
// Where every aya stands (ID, sura, aya, juz, page), in reading order.
QString everyAyaPlace();
// Every aya's marked text with its place (ID, sura, aya), in reading order.
QString everyAyaText();
// Every aya's place, text and al-Muyassar, and every aya's al-Jalalayn, in
// reading order: what a research searches.
QString everyAyaForResearch();
QString everyJalalayn();
// Every aya of one mushaf page, in reading order.
QString wholePage(int page);
// The al-Jalalayn tafsir of one aya, from its own table (column taf).
QString jalalaynOf(qint64 id);
// The Uthmani text (ID, ayaa) of the ayas first..last, in reading order.
QString uthmaniOf(qint64 first, qint64 last);
// The ayas first..last (ID, soraano, ayaano, ayaa, taf), and their
// al-Jalalayn (ID, taf), in reading order: what is printed.
QString ayasBetween(qint64 first, qint64 last);
QString jalalaynBetween(qint64 first, qint64 last);

} // namespace velmor::store::catalogue
