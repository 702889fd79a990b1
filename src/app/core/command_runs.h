#pragma once

#include "command_line.h"

#include <cstdio>

// What each of the command line's actions does, against the database in the
// program folder; each returns the process exit code.
namespace velmor::runs {

void print(std::FILE* stream, const QString& text);

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
