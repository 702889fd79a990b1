#pragma once

#include "reading.h"
#include "search_query.h"

#include <QString>
#include <QStringList>
#include <cstdio>
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
        ListPage
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
    };
    Action action = Action::Window;
    // The action's one value: the text (Help: the help, Error: the message),
    // the search, the number (ListSura, ListJuz, ListPage, ComposeSura), the
    // IDs (ComposeChosen) or the aya (PrintAya, PrintTafsir); nothing for
    // the window and the version.
    std::variant<std::monostate, QString, SearchRequest, int, QList<qint64>, AyaRequest> value;

    QString text() const {
        const QString* held = std::get_if<QString>(&value);
        return held != nullptr ? *held : QString();
    }
    const SearchRequest& search() const { return std::get<SearchRequest>(value); }
    int number() const { return std::get<int>(value); }
    const QList<qint64>& ids() const { return std::get<QList<qint64>>(value); }
    const AyaRequest& aya() const { return std::get<AyaRequest>(value); }
};

CommandLine parseCommandLine(const QStringList& arguments);

// Runs a non-window action against the database in programFolder; returns
// the process exit code.
int runCommandLine(const CommandLine& command, const QString& programFolder, std::FILE* out,
                   std::FILE* err);

} // namespace velmor
