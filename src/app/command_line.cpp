#include "command_line.h"

#include <QCommandLineParser>

namespace velmor {

namespace {

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Velmor: read and search the Arabic text of the Qur'an."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);

    CommandLine command;
    command.helpText = parser.helpText();
    if (!parser.parse(arguments)) {
        command.action = CommandLine::Action::Error;
        command.error = parser.errorText();
    } else if (parser.isSet(help)) {
        command.action = CommandLine::Action::Help;
    } else if (parser.isSet(version)) {
        command.action = CommandLine::Action::Version;
    } else if (!parser.positionalArguments().isEmpty()) {
        command.action = CommandLine::Action::Error;
        command.error =
            QStringLiteral("unexpected argument: ") + parser.positionalArguments().first();
    }
    return command;
}

int runCommandLine(const CommandLine& command, std::FILE* out, std::FILE* err) {
    switch (command.action) {
    case CommandLine::Action::Help:
        print(out, command.helpText);
        return 0;
    case CommandLine::Action::Version:
        print(out, QStringLiteral("Velmor 2.5\n"));
        return 0;
    case CommandLine::Action::Error:
        print(err, QStringLiteral("velmor: ") + command.error + QStringLiteral("\n\n") +
                       command.helpText);
        return 2;
    case CommandLine::Action::Window:
        break;
    }
    return 0;
}

} // namespace velmor
