#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

namespace velmor {

// What the command line asks for. Anything but a window is done without
// one and without the single-instance lock.
struct CommandLine {
    enum class Action { Window, Help, Version, Error };
    Action action = Action::Window;
    QString helpText;
    QString error;
};

CommandLine parseCommandLine(const QStringList& arguments);

// Runs a non-window action; returns the process exit code.
int runCommandLine(const CommandLine& command, std::FILE* out, std::FILE* err);

} // namespace velmor
