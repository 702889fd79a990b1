#pragma once

#include <QCommandLineOption>

namespace velmor {

// Every option the program takes, with its help text.
struct Options {
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit.")};
    const QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit.")};
    const QCommandLineOption search{
        QStringLiteral("search"),
        QStringLiteral("Print the result lines of a search for TEXT, then the count."),
        QStringLiteral("TEXT")};
    const QCommandLineOption spans{
        QStringLiteral("spans"),
        QStringLiteral("With --search: follow each result line by the stretches of the aya's text "
                       "that matched, as START:LENGTH in code points, separated by blanks.")};
    const QCommandLineOption partial{
        QStringLiteral("partial"),
        QStringLiteral("With --search or --find: a word may be part of a longer word.")};
    const QCommandLineOption sura{
        QStringLiteral("sura"),
        QStringLiteral(
            "With --search or --find: search sura N only. Alone: list the whole sura N."),
        QStringLiteral("N")};
    const QCommandLineOption suras{QStringLiteral("suras"),
                                   QStringLiteral("With --search or --find: search suras A to B."),
                                   QStringLiteral("A-B")};
    const QCommandLineOption juz{
        QStringLiteral("juz"),
        QStringLiteral("With --search or --find: search juz N only. Alone: list the whole juz N."),
        QStringLiteral("N")};
    const QCommandLineOption juzs{QStringLiteral("juzs"),
                                  QStringLiteral("With --search or --find: search juz A to B."),
                                  QStringLiteral("A-B")};
    const QCommandLineOption composeSura{
        QStringLiteral("compose-sura"),
        QStringLiteral(
            "Print the composed text of the whole sura N, as the compose window makes it."),
        QStringLiteral("N")};
    const QCommandLineOption compose{
        QStringLiteral("compose"),
        QStringLiteral(
            "Print the composed text of the chosen ayas with these IDs (reading-order numbers "
            "1..6236), with their result lines."),
        QStringLiteral("ID[,ID...]")};
    const QCommandLineOption aya{
        QStringLiteral("aya"),
        QStringLiteral("Print the marked text of the aya REF (\"2:255\", \"البقرة 255\", a sura "
                       "name alone for its first aya), as stored, on one line."),
        QStringLiteral("REF")};
    const QCommandLineOption tafsir{QStringLiteral("tafsir"),
                                    QStringLiteral("Print the tafsir of the aya REF, as stored."),
                                    QStringLiteral("REF")};
    const QCommandLineOption source{
        QStringLiteral("source"),
        QStringLiteral("With --tafsir: muyassar (at-Tafsir al-Muyassar, the default) or jalalayn "
                       "(Tafsir al-Jalalayn)."),
        QStringLiteral("SOURCE")};
    const QCommandLineOption page{
        QStringLiteral("page"),
        QStringLiteral("Print the result lines of the ayas of mushaf page N, then the count."),
        QStringLiteral("N")};
    const QCommandLineOption bookmark{
        QStringLiteral("bookmark"), QStringLiteral("Bookmark the aya REF in the reader's library."),
        QStringLiteral("REF")};
    const QCommandLineOption label{QStringLiteral("label"),
                                   QStringLiteral("With --bookmark: the bookmark's label."),
                                   QStringLiteral("TEXT")};
    const QCommandLineOption collection{
        QStringLiteral("collection"),
        QStringLiteral("With --bookmark or --unbookmark: the collection (the one used last, at "
                       "first \"المفضلة\", when not given); --bookmark makes a new one."),
        QStringLiteral("NAME")};
    const QCommandLineOption unbookmark{QStringLiteral("unbookmark"),
                                        QStringLiteral("Remove the bookmark of the aya REF."),
                                        QStringLiteral("REF")};
    const QCommandLineOption bookmarks{
        QStringLiteral("bookmarks"),
        QStringLiteral("Print every bookmark in reading order: the result line, a tab, the "
                       "collection, a tab, the label.")};
    const QCommandLineOption note{
        QStringLiteral("note"),
        QStringLiteral("Set the note of the aya REF to TEXT, the argument after it; an empty "
                       "TEXT removes the note."),
        QStringLiteral("REF")};
    const QCommandLineOption notes{
        QStringLiteral("notes"),
        QStringLiteral("Print every note in reading order: the result line, a tab, the note "
                       "with newlines written \\n and backslashes \\\\.")};
    const QCommandLineOption exportTo{
        QStringLiteral("export"),
        QStringLiteral("Write the whole library to FILE as JSON (format velmor-library, version "
                       "1)."),
        QStringLiteral("FILE")};
    const QCommandLineOption importFrom{
        QStringLiteral("import"),
        QStringLiteral("Merge the library in the JSON file FILE into this one; importing it "
                       "again changes nothing."),
        QStringLiteral("FILE")};
    const QCommandLineOption history{
        QStringLiteral("history"),
        QStringLiteral("Print the recent searches, newest first: the text, a tab, whole or "
                       "partial, a tab, the scope, a tab, the time (UTC).")};
    const QCommandLineOption verify{
        QStringLiteral("verify"),
        QStringLiteral("Find the quotations of the Qur'an in the UTF-8 text of FILE (- for "
                       "standard input, at most 1 MiB): one line per quotation, START:LENGTH "
                       "in code points, a tab, the ayas (S:A, S:A-B or S:A-T:B; places "
                       "separated by commas), a tab, exact or differs with a tab before each "
                       "slip (WRITTEN>CORRECT, +CORRECT, -WRITTEN); then the count."),
        QStringLiteral("FILE")};
    const QCommandLineOption similar{
        QStringLiteral("similar"),
        QStringLiteral("Print the ayas whose wording is close to that of the aya REF, most "
                       "similar first: each result line, then a line of the slips from REF's "
                       "words to its words, separated by tabs; then the count."),
        QStringLiteral("REF")};
    const QCommandLineOption find{
        QStringLiteral("find"),
        QStringLiteral("Research QUERY in the text and the tafsirs: words an aya must all have, "
                       "\"a phrase\", a|b for any of them, -word to exclude; then print one "
                       "result line per aya found, in reading order, and the count."),
        QStringLiteral("QUERY")};
    const QCommandLineOption in{
        QStringLiteral("in"),
        QStringLiteral("With --find: the sources, separated by commas: quran (the default), "
                       "muyassar, jalalayn."),
        QStringLiteral("SOURCES")};
    const QCommandLineOption format{
        QStringLiteral("format"),
        QStringLiteral("With --find: lines (the default), tsv (ID, sura, aya, source and the "
                       "matched stretches per hit) or json."),
        QStringLiteral("FORMAT")};
    const QCommandLineOption countBy{
        QStringLiteral("count-by"),
        QStringLiteral("With --find: one line \"N<tab>count\" per sura or juz with an aya "
                       "found, then the number of ayas."),
        QStringLiteral("sura|juz")};
    const QCommandLineOption script{
        QStringLiteral("script"),
        QStringLiteral("With --aya, --pdf or --image: simple (the default) or uthmani (the "
                       "King Fahd Complex's Hafs text in the Uthmani script)."),
        QStringLiteral("uthmani|simple")};
    const QCommandLineOption pdf{
        QStringLiteral("pdf"),
        QStringLiteral("Save as the PDF file OUT the ayas of --sura N, --range REF-REF or "
                       "--compose ID,ID,..., each with its tafsir when --tafsir muyassar or "
                       "jalalayn is given."),
        QStringLiteral("OUT")};
    const QCommandLineOption range{
        QStringLiteral("range"),
        QStringLiteral("With --pdf: the ayas from one reference to another, as 2:1-2:5."),
        QStringLiteral("REF-REF")};
    const QCommandLineOption pageSize{QStringLiteral("page-size"),
                                      QStringLiteral("With --pdf: a4 (the default) or letter."),
                                      QStringLiteral("a4|letter")};
    const QCommandLineOption image{
        QStringLiteral("image"),
        QStringLiteral("Save the aya --aya REF as the PNG image OUT, its reference below it."),
        QStringLiteral("OUT")};
    const QCommandLineOption width{
        QStringLiteral("width"),
        QStringLiteral("With --image: the width in pixels (1080 unless given)."),
        QStringLiteral("N")};
    const QCommandLineOption theme{
        QStringLiteral("theme"),
        QStringLiteral("With --image: light (the default), sepia or dark."),
        QStringLiteral("light|sepia|dark")};
};

} // namespace velmor
