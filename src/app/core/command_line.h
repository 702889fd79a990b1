#pragma once

#include "page_print.h"
#include "reading.h"
#include "research_index.h"
#include "search_query.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <variant>

namespace velmor {

// What the command line asks for. Anything but a window is done without
// one and without the single-instance lock.
struct CommandLine {
    enum class Action {
        Window,
        Help,
        Version,
        Error,
        Search,
        ListSura,
        ListJuz,
        ComposeSura,
        ComposeChosen,
        PrintAya,
        PrintTafsir,
        ListPage,
        Bookmark,
        Unbookmark,
        ListBookmarks,
        SetNote,
        ListNotes,
        Export,
        Import,
        ListHistory,
        Verify,
        Similar,
        Find,
        SavePdf,
        SaveImage
    };
    // What a search asks for.
    struct SearchRequest {
        QString text;
        SearchOptions options;
        bool spans = false; // each line followed by its matched stretches
    };
    // What printing an aya or its tafsir asks for.
    struct AyaRequest {
        AyaRef aya;
        TafsirSource source = TafsirSource::Muyassar; // PrintTafsir
        Script script = Script::Simple;               // PrintAya
    };
    // What a PDF or an image asks for.
    struct PrintRequest {
        QString file;
        // The ayas: a sura, a range of references, or chosen IDs.
        int sura = 0;
        std::optional<std::pair<AyaRef, AyaRef>> range;
        QList<qint64> ids;
        std::optional<TafsirSource> tafsir;
        Script script = Script::Simple;
        print::PageSetup page;
        int width = 0; // the image's
        ReaderTheme theme = ReaderTheme::Light;
    };
    // What a change to the reader's library asks for.
    struct LibraryRequest {
        AyaRef aya;
        std::optional<QString> collection; // Bookmark, Unbookmark: the one used last when none
        QString text;                      // Bookmark: the label; SetNote: the note
    };
    // What a research asks for.
    struct FindRequest {
        enum class Format { Lines, Tsv, Json };
        research::Research research;
        Format format = Format::Lines;
        QString countBy; // "sura", "juz" or empty
    };
    Action action = Action::Window;
    // The action's one value: the text (Help: the help, Error: the message),
    // the search, the number (ListSura, ListJuz, ListPage, ComposeSura), the
    // IDs (ComposeChosen) or the aya (PrintAya, PrintTafsir); nothing for
    // the window and the version; the file (Export, Import, Verify) or the change
    // (Bookmark, Unbookmark, SetNote) for the library.
    std::variant<std::monostate, QString, SearchRequest, int, QList<qint64>, AyaRequest,
                 LibraryRequest, FindRequest, PrintRequest>
        value;

    QString text() const {
        const QString* held = std::get_if<QString>(&value);
        return held != nullptr ? *held : QString();
    }
    const SearchRequest& search() const { return std::get<SearchRequest>(value); }
    int number() const { return std::get<int>(value); }
    const QList<qint64>& ids() const { return std::get<QList<qint64>>(value); }
    const AyaRequest& aya() const { return std::get<AyaRequest>(value); }
    const LibraryRequest& change() const { return std::get<LibraryRequest>(value); }
    const FindRequest& research() const { return std::get<FindRequest>(value); }
    const PrintRequest& printing() const { return std::get<PrintRequest>(value); }
    // Whether the action draws text, and so needs the fonts of a GUI
    // application (without a window).
    bool draws() const { return action == Action::SavePdf || action == Action::SaveImage; }
};

CommandLine parseCommandLine(const QStringList& arguments);

// Runs a non-window action against the database in programFolder; returns
// the process exit code.
int runCommandLine(const CommandLine& command, const QString& programFolder, std::FILE* out,
                   std::FILE* err);

} // namespace velmor
