#pragma once

#include "command_line.h"
#include "database.h"

#include <cstdio>

// What each of the command line's actions does, against the database in the
// program folder; each returns the process exit code.
namespace velmor::runs {

void print(std::FILE* stream, const QString& text);

// A store whose failures go to the error stream and are remembered.
struct CommandStore {
    explicit CommandStore(std::FILE* err);
    bool failed = false;
    store::Store store;
};
// "velmor: REASON" on a line of its own.
void fail(std::FILE* err, const QString& reason);

int help(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int version(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int search(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int listSura(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int listJuz(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int listPage(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int composeSura(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int composeChosen(const CommandLine& command, const QString& folder, std::FILE* out,
                  std::FILE* err);
int printAyaField(const CommandLine& command, const QString& folder, std::FILE* out,
                  std::FILE* err);

} // namespace velmor::runs

// The reader's library (library_runs.cpp): bad input says so with status 2,
// a library that cannot be read or written with status 1.
namespace velmor::runs {

int bookmark(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int unbookmark(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int listBookmarks(const CommandLine& command, const QString& folder, std::FILE* out,
                  std::FILE* err);
int setNote(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int listNotes(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int exportLibrary(const CommandLine& command, const QString& folder, std::FILE* out,
                  std::FILE* err);
int importLibrary(const CommandLine& command, const QString& folder, std::FILE* out,
                  std::FILE* err);
int listHistory(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);

// A text checked for quotations (verify_runs.cpp): an input that cannot be
// read, or over 1 MiB, or not UTF-8, is bad input (status 2).
int verifyText(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
// The ayas similar to one, each with the slips from it to them.
int similarAyas(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);

// A research (research_runs.cpp): its hits in the format asked for.
int find(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);

// A PDF or an image (print_options.cpp): bad input status 2, a file that
// cannot be written status 1, and no part of it left.
int savePdf(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);
int saveImage(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err);

// A note on one line: a newline written \n, a backslash \\.
QString escapedNote(const QString& text);

} // namespace velmor::runs
