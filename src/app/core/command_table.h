#pragma once

#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace velmor {

struct Options;

// What reading an action's options found wrong, or nothing.
using Problem = std::optional<QString>;
using Reader = std::function<Problem(const QCommandLineParser&, const Options&, CommandLine&)>;
using Runner = int (*)(const CommandLine&, const QString&, std::FILE*, std::FILE*);

// One action of the command line: the option that asks for it, the options
// that may refine it, how its values are read and what runs it.
struct ActionRow {
    CommandLine::Action action;
    const QCommandLineOption Options::*option;
    std::vector<const QCommandLineOption Options::*> refinements;
    Reader read;
    Runner run;
};

// "--name" of an option.
QString nameOf(const QCommandLineOption& option);
// A number in ASCII, Arabic-Indic or Persian digits, within bounds.
std::optional<int> numberIn(const QString& text, int first, int last);

// The actions that print, save as PDF or make an image (print_options.cpp).
std::vector<ActionRow> printActions();

} // namespace velmor
