#include "command_line.h"

#include "command_options.h"
#include "command_runs.h"
#include "command_table.h"
#include "search_session.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <variant>

namespace velmor {

// A number in ASCII, Arabic-Indic or Persian digits, within bounds.
std::optional<int> numberIn(const QString& text, int first, int last) {
    bool ok = false;
    const int value = westernDigits(text).trimmed().toInt(&ok);
    return ok && value >= first && value <= last ? std::optional<int>(value) : std::nullopt;
}

namespace {

// "A-B" with both bounds in range.
std::optional<std::pair<int, int>> rangeIn(const QString& text, int first, int last) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d+)\\s*-\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(westernDigits(text));
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const auto a = numberIn(match.captured(1), first, last);
    const auto b = numberIn(match.captured(2), first, last);
    return a && b ? std::optional<std::pair<int, int>>({*a, *b}) : std::nullopt;
}

} // namespace

QString nameOf(const QCommandLineOption& option) {
    return QStringLiteral("--") + option.names().constLast();
}

namespace {

Reader number(const QCommandLineOption Options::*option, int last, const char* what) {
    return [option, last, what](const QCommandLineParser& parser, const Options& o,
                                CommandLine& command) -> Problem {
        const auto n = numberIn(parser.value(o.*option), 1, last);
        if (!n) {
            return nameOf(o.*option) + QStringLiteral(" takes ") + QLatin1String(what);
        }
        command.value = *n;
        return std::nullopt;
    };
}

Reader reference(const QCommandLineOption Options::*option) {
    return [option](const QCommandLineParser& parser, const Options& o,
                    CommandLine& command) -> Problem {
        const ParsedReference parsed = parseReference(parser.value(o.*option));
        if (!parsed.ref) {
            return nameOf(o.*option) + QStringLiteral(": ") + parsed.error;
        }
        CommandLine::AyaRequest request{*parsed.ref};
        if (parser.isSet(o.source)) {
            const auto source = tafsirNamed(parser.value(o.source));
            if (!source) {
                return QStringLiteral("--source takes muyassar or jalalayn");
            }
            request.source = *source;
        }
        if (parser.isSet(o.script)) {
            const auto script = scriptNamed(parser.value(o.script));
            if (!script) {
                return QStringLiteral("--script takes uthmani or simple");
            }
            request.script = *script;
        }
        command.value = request;
        return std::nullopt;
    };
}

Problem readIds(const QCommandLineParser& parser, const Options& o, CommandLine& command) {
    QList<qint64> ids;
    for (const QString& item : parser.value(o.compose).split(u',')) {
        bool ok = false;
        const qint64 id = westernDigits(item).trimmed().toLongLong(&ok);
        if (!ok || id < 1) {
            return QStringLiteral("--compose takes aya IDs separated by commas");
        }
        ids.append(id);
    }
    command.value = ids;
    return std::nullopt;
}

// The one scope of a search or a research, into the options' pickers.
Problem readScope(const QCommandLineParser& parser, const Options& o, SearchOptions& options) {
    const int scopes = int(parser.isSet(o.sura)) + int(parser.isSet(o.suras)) +
                       int(parser.isSet(o.juz)) + int(parser.isSet(o.juzs));
    if (scopes > 1) {
        return QStringLiteral("give at most one of --sura, --suras, --juz, --juzs");
    }
    if (parser.isSet(o.sura)) {
        const auto n = numberIn(parser.value(o.sura), 1, 114);
        if (!n) {
            return QStringLiteral("--sura takes a sura number from 1 to 114");
        }
        options.scope = 3, options.sora = *n - 1;
    } else if (parser.isSet(o.suras)) {
        const auto range = rangeIn(parser.value(o.suras), 1, 114);
        if (!range) {
            return QStringLiteral("--suras takes A-B with sura numbers from 1 to 114");
        }
        options.scope = 4, options.sora1 = range->first - 1, options.sora2 = range->second - 1;
    } else if (parser.isSet(o.juz)) {
        const auto n = numberIn(parser.value(o.juz), 1, 30);
        if (!n) {
            return QStringLiteral("--juz takes a juz number from 1 to 30");
        }
        options.scope = 1, options.part = *n - 1;
    } else if (parser.isSet(o.juzs)) {
        const auto range = rangeIn(parser.value(o.juzs), 1, 30);
        if (!range) {
            return QStringLiteral("--juzs takes A-B with juz numbers from 1 to 30");
        }
        options.scope = 2, options.part1 = range->first - 1, options.part2 = range->second - 1;
    }
    return std::nullopt;
}

// The search's text, its match and its one scope.
Problem readSearch(const QCommandLineParser& parser, const Options& o, CommandLine& command) {
    CommandLine::SearchRequest& request = command.value.emplace<CommandLine::SearchRequest>();
    request.text = searchableText(parser.value(o.search));
    if (isEmptySearch(request.text)) {
        return QStringLiteral("--search needs a text");
    }
    request.options.wholeWord = !parser.isSet(o.partial);
    request.spans = parser.isSet(o.spans);
    return readScope(parser, o, request.options);
}

// A research: its query, sources, match, scope, format and count.
Problem readFind(const QCommandLineParser& parser, const Options& o, CommandLine& command) {
    CommandLine::FindRequest& request = command.value.emplace<CommandLine::FindRequest>();
    const Outcome<research::Query> query = research::parseQuery(parser.value(o.find));
    if (!query) {
        return QStringLiteral("--find: ") + query.reason();
    }
    request.research.query = *query;
    request.research.partial = parser.isSet(o.partial);
    if (parser.isSet(o.in)) {
        request.research.sources.clear();
        for (const QString& key : parser.value(o.in).split(u',')) {
            const auto source = research::sourceNamed(key);
            if (!source) {
                return QStringLiteral(
                    "--in takes quran, muyassar and jalalayn, separated by commas");
            }
            request.research.sources.push_back(*source);
        }
    }
    if (parser.isSet(o.format)) {
        const QString format = parser.value(o.format);
        if (format == u"lines") {
            request.format = CommandLine::FindRequest::Format::Lines;
        } else if (format == u"tsv") {
            request.format = CommandLine::FindRequest::Format::Tsv;
        } else if (format == u"json") {
            request.format = CommandLine::FindRequest::Format::Json;
        } else {
            return QStringLiteral("--format takes lines, tsv or json");
        }
    }
    if (parser.isSet(o.countBy)) {
        const QString by = parser.value(o.countBy);
        if (by != u"sura" && by != u"juz") {
            return QStringLiteral("--count-by takes sura or juz");
        }
        request.countBy = by;
    }
    return readScope(parser, o, request.research.scope);
}

// The aya a change to the library is about, with its refinements.
Reader libraryChange(const QCommandLineOption Options::*option) {
    return [option](const QCommandLineParser& parser, const Options& o,
                    CommandLine& command) -> Problem {
        const ParsedReference parsed = parseReference(parser.value(o.*option));
        if (!parsed.ref) {
            return nameOf(o.*option) + QStringLiteral(": ") + parsed.error;
        }
        CommandLine::LibraryRequest request{*parsed.ref, std::nullopt, {}};
        if (parser.isSet(o.collection)) {
            request.collection = parser.value(o.collection).trimmed();
            if (request.collection->isEmpty()) {
                return QStringLiteral("--collection needs a name");
            }
        }
        request.text = parser.value(option == &Options::note ? o.note : o.label);
        if (option == &Options::note) {
            const QStringList rest = parser.positionalArguments();
            if (rest.size() != 1) {
                return QStringLiteral("--note takes REF and then the note's TEXT");
            }
            request.text = rest.front();
        }
        command.value = request;
        return std::nullopt;
    };
}

Reader file(const QCommandLineOption Options::*option) {
    return [option](const QCommandLineParser& parser, const Options& o,
                    CommandLine& command) -> Problem {
        command.value = parser.value(o.*option);
        if (command.text().isEmpty()) {
            return nameOf(o.*option) + QStringLiteral(" needs a file");
        }
        return std::nullopt;
    };
}

Problem nothingToRead(const QCommandLineParser&, const Options&, CommandLine&) {
    return std::nullopt;
}

// The actions on the reader's library and beyond the designed windows.
std::vector<ActionRow> laterActions() {
    using A = CommandLine::Action;
    return {
        {A::Bookmark,
         &Options::bookmark,
         {&Options::label, &Options::collection},
         libraryChange(&Options::bookmark),
         runs::bookmark},
        {A::Unbookmark,
         &Options::unbookmark,
         {&Options::collection},
         libraryChange(&Options::unbookmark),
         runs::unbookmark},
        {A::ListBookmarks, &Options::bookmarks, {}, nothingToRead, runs::listBookmarks},
        {A::SetNote, &Options::note, {}, libraryChange(&Options::note), runs::setNote},
        {A::ListNotes, &Options::notes, {}, nothingToRead, runs::listNotes},
        {A::Export, &Options::exportTo, {}, file(&Options::exportTo), runs::exportLibrary},
        {A::Import, &Options::importFrom, {}, file(&Options::importFrom), runs::importLibrary},
        {A::ListHistory, &Options::history, {}, nothingToRead, runs::listHistory},
        {A::Verify, &Options::verify, {}, file(&Options::verify), runs::verifyText},
        {A::Find,
         &Options::find,
         {&Options::in, &Options::partial, &Options::sura, &Options::suras, &Options::juz,
          &Options::juzs, &Options::format, &Options::countBy},
         readFind,
         runs::find},
        {A::Similar, &Options::similar, {}, reference(&Options::similar), runs::similarAyas},
    };
}

const std::vector<ActionRow>& actionTable() {
    using A = CommandLine::Action;
    static const std::vector<ActionRow> table = [] {
        std::vector<ActionRow> rows{
            {A::Help, &Options::help, {}, nothingToRead, runs::help},
            {A::Version, &Options::version, {}, nothingToRead, runs::version},
            {A::Search,
             &Options::search,
             {&Options::partial, &Options::spans, &Options::sura, &Options::suras, &Options::juz,
              &Options::juzs},
             readSearch,
             runs::search},
            {A::ListSura,
             &Options::sura,
             {},
             number(&Options::sura, 114, "a sura number from 1 to 114"),
             runs::listSura},
            {A::ListJuz,
             &Options::juz,
             {},
             number(&Options::juz, 30, "a juz number from 1 to 30"),
             runs::listJuz},
            {A::ListPage,
             &Options::page,
             {},
             number(&Options::page, std::numeric_limits<int>::max(), "a page number"),
             runs::listPage},
            {A::ComposeSura,
             &Options::composeSura,
             {},
             number(&Options::composeSura, 114, "a sura number from 1 to 114"),
             runs::composeSura},
            {A::ComposeChosen, &Options::compose, {}, readIds, runs::composeChosen},
            {A::PrintAya,
             &Options::aya,
             {&Options::script},
             reference(&Options::aya),
             runs::printAyaField},
            {A::PrintTafsir,
             &Options::tafsir,
             {&Options::source},
             reference(&Options::tafsir),
             runs::printAyaField},
        };
        for (std::vector<ActionRow> later : {laterActions(), printActions()}) {
            rows.insert(rows.end(), std::make_move_iterator(later.begin()),
                        std::make_move_iterator(later.end()));
        }
        return rows;
    }();
    return table;
}

CommandLine failure(CommandLine command, const QString& error) {
    command.action = CommandLine::Action::Error;
    command.value = error;
    return command;
}

// The action the options ask for: the one row whose option is set and is
// not refining another set row's action. Every other option set must refine
// it; a conflict names the options that fit.
std::variant<const ActionRow*, QString> chosenAction(const QCommandLineParser& parser,
                                                     const Options& o) {
    const auto refinesASetAction = [&](const QCommandLineOption Options::*option) {
        return std::any_of(actionTable().begin(), actionTable().end(), [&](const ActionRow& row) {
            return parser.isSet(o.*row.option) &&
                   std::find(row.refinements.begin(), row.refinements.end(), option) !=
                       row.refinements.end();
        });
    };
    std::vector<const ActionRow*> asked;
    for (const ActionRow& row : actionTable()) {
        if (parser.isSet(o.*row.option) && !refinesASetAction(row.option)) {
            asked.push_back(&row);
        }
    }
    if (asked.size() > 1) {
        QStringList names;
        for (const ActionRow& row : actionTable()) {
            if (row.action != CommandLine::Action::Help &&
                row.action != CommandLine::Action::Version) {
                names.append(nameOf(o.*row.option));
            }
        }
        return QStringLiteral("give one of ") + names.join(QStringLiteral(", "));
    }
    const ActionRow* chosen = asked.empty() ? nullptr : asked.front();
    // A refinement set without the action it refines.
    for (const ActionRow& row : actionTable()) {
        for (const auto refinement : row.refinements) {
            const bool fits = chosen != nullptr &&
                              (chosen->option == refinement ||
                               std::find(chosen->refinements.begin(), chosen->refinements.end(),
                                         refinement) != chosen->refinements.end());
            if (parser.isSet(o.*refinement) && !fits) {
                return nameOf(o.*refinement) + QStringLiteral(" goes with ") +
                       nameOf(o.*row.option);
            }
        }
    }
    return chosen;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Velmor: read and search the Arabic text of the Qur'an.\n"
                       "Without options it opens the main window."));
    const Options o;
    parser.addOptions(
        {o.help,  o.version,  o.search,      o.spans,      o.partial,    o.sura,      o.suras,
         o.juz,   o.juzs,     o.composeSura, o.compose,    o.aya,        o.tafsir,    o.source,
         o.page,  o.bookmark, o.label,       o.collection, o.unbookmark, o.bookmarks, o.note,
         o.notes, o.exportTo, o.importFrom,  o.history,    o.verify,     o.similar,   o.find,
         o.in,    o.format,   o.countBy,     o.script,     o.pdf,        o.range,     o.pageSize,
         o.image, o.width,    o.theme});

    CommandLine command;
    if (!parser.parse(arguments)) {
        return failure(command, parser.errorText());
    }
    // An option given twice is a mistake, not a choice of the last one.
    for (const QString& name : parser.optionNames()) {
        if (parser.optionNames().count(name) > 1) {
            return failure(command, QStringLiteral("--%1 is given more than once").arg(name));
        }
    }
    // Only a note takes an argument of its own: its text.
    if (!parser.positionalArguments().isEmpty() && !parser.isSet(o.note)) {
        return failure(command, QStringLiteral("unexpected argument: ") +
                                    parser.positionalArguments().first());
    }
    // Help and the version answer whatever else is asked.
    for (const auto option : {&Options::help, &Options::version}) {
        if (parser.isSet(o.*option)) {
            command.action =
                option == &Options::help ? CommandLine::Action::Help : CommandLine::Action::Version;
            if (option == &Options::help) {
                command.value = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                          QStringLiteral("velmor"));
            }
            return command;
        }
    }
    const auto chosen = chosenAction(parser, o);
    if (const auto* problem = std::get_if<QString>(&chosen)) {
        return failure(command, *problem);
    }
    const ActionRow* row = std::get<const ActionRow*>(chosen);
    if (row == nullptr) {
        return command; // the window
    }
    if (const Problem problem = row->read(parser, o, command)) {
        return failure(command, *problem);
    }
    command.action = row->action;
    return command;
}

int runCommandLine(const CommandLine& command, const QString& programFolder, std::FILE* out,
                   std::FILE* err) {
    int status = 0;
    if (command.action == CommandLine::Action::Error) {
        // One line, so that a script's log shows the cause where it stopped.
        runs::print(
            err,
            QStringLiteral("velmor: %1 (velmor --help lists the options)\n").arg(command.text()));
        status = 2;
    }
    for (const ActionRow& row : actionTable()) {
        if (row.action == command.action) {
            status = row.run(command, programFolder, out, err);
        }
    }
    // Output that did not arrive whole (a full disk, a closed pipe) is a
    // failure, whatever the action made of it.
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        runs::print(err, QStringLiteral("velmor: the output could not be written\n"));
        return status == 0 ? 1 : status;
    }
    return status;
}

} // namespace velmor
