#pragma once

#include "reading.h"
#include "search_query.h"

#include <QString>
#include <QStringList>
#include <cstdio>

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
    Action action = Action::Window;
    QString helpText;
    QString error;
    QString searchText;    // Search
    bool spans = false;    // Search: each line followed by its matched stretches
    SearchOptions options; // Search
    int number = 0;        // ListSura, ListJuz, ComposeSura, ListPage
    QList<qint64> ids;     // ComposeChosen
    AyaRef aya;            // PrintAya, PrintTafsir
    TafsirSource source = TafsirSource::Muyassar; // PrintTafsir
};

CommandLine parseCommandLine(const QStringList& arguments);

// Runs a non-window action against the database in programFolder; returns
// the process exit code.
int runCommandLine(const CommandLine& command, const QString& programFolder, std::FILE* out,
                   std::FILE* err);

} // namespace velmor
