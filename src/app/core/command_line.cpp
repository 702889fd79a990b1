#include "command_line.h"

#include "catalogue.h"
#include "composition.h"
#include "match_spans.h"
#include "record_view.h"
#include "result_set.h"
#include "search_session.h"
#include "version.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <limits>
#include <optional>

namespace velmor {

namespace {

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

// A number in ASCII, Arabic-Indic or Persian digits, within bounds.
std::optional<int> numberIn(const QString& text, int first, int last) {
    bool ok = false;
    const int value = westernDigits(text).trimmed().toInt(&ok);
    return ok && value >= first && value <= last ? std::optional<int>(value) : std::nullopt;
}

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

CommandLine failure(CommandLine command, const QString& error) {
    command.action = CommandLine::Action::Error;
    command.error = error;
    return command;
}

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
        QStringLiteral("With --search: the text may be part of a longer word.")};
    const QCommandLineOption sura{
        QStringLiteral("sura"),
        QStringLiteral("With --search: search sura N only. Alone: list the whole sura N."),
        QStringLiteral("N")};
    const QCommandLineOption suras{QStringLiteral("suras"),
                                   QStringLiteral("With --search: search suras A to B."),
                                   QStringLiteral("A-B")};
    const QCommandLineOption juz{
        QStringLiteral("juz"),
        QStringLiteral("With --search: search juz N only. Alone: list the whole juz N."),
        QStringLiteral("N")};
    const QCommandLineOption juzs{QStringLiteral("juzs"),
                                  QStringLiteral("With --search: search juz A to B."),
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
};

// The actions exclude each other, and the options that refine one go with
// it alone; then the reading actions (--aya, --tafsir, --page). Nothing when
// the command line asks for none of them and nothing conflicts.
std::optional<CommandLine> readingAction(const QCommandLineParser& parser, const Options& o,
                                         CommandLine command) {
    const int actions = int(parser.isSet(o.search)) + int(parser.isSet(o.composeSura)) +
                        int(parser.isSet(o.compose)) + int(parser.isSet(o.aya)) +
                        int(parser.isSet(o.tafsir)) + int(parser.isSet(o.page));
    const bool scoped = parser.isSet(o.sura) || parser.isSet(o.suras) || parser.isSet(o.juz) ||
                        parser.isSet(o.juzs) || parser.isSet(o.partial) || parser.isSet(o.spans);
    if (actions > 1 || (actions == 1 && !parser.isSet(o.search) && scoped)) {
        return failure(command, QStringLiteral("give one of --search, --sura, --juz, --page, "
                                               "--aya, --tafsir, --compose, --compose-sura"));
    }
    if (parser.isSet(o.source) && !parser.isSet(o.tafsir)) {
        return failure(command, QStringLiteral("--source goes with --tafsir"));
    }
    for (const auto* option : {&o.aya, &o.tafsir}) {
        if (parser.isSet(*option)) {
            const ParsedReference parsed = parseReference(parser.value(*option));
            if (!parsed.ref) {
                return failure(
                    command,
                    QStringLiteral("--%1: %2").arg(option->names().constFirst(), parsed.error));
            }
            command.aya = *parsed.ref;
            command.action =
                option == &o.aya ? CommandLine::Action::PrintAya : CommandLine::Action::PrintTafsir;
        }
    }
    if (parser.isSet(o.source)) {
        const auto source = tafsirNamed(parser.value(o.source));
        if (!source) {
            return failure(command, QStringLiteral("--source takes muyassar or jalalayn"));
        }
        command.source = *source;
    }
    if (command.action != CommandLine::Action::Window) {
        return command;
    }
    if (parser.isSet(o.page)) {
        const auto n = numberIn(parser.value(o.page), 1, std::numeric_limits<int>::max());
        if (!n) {
            return failure(command, QStringLiteral("--page takes a page number"));
        }
        command.action = CommandLine::Action::ListPage;
        command.number = *n;
        return command;
    }
    return std::nullopt;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Velmor: read and search the Arabic text of the Qur'an.\n"
                       "Without options it opens the main window."));
    const Options o;
    parser.addOptions({o.help, o.version, o.search, o.spans, o.partial, o.sura, o.suras, o.juz,
                       o.juzs, o.composeSura, o.compose, o.aya, o.tafsir, o.source, o.page});

    CommandLine command;
    command.helpText =
        parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("velmor"));
    if (!parser.parse(arguments)) {
        return failure(command, parser.errorText());
    }
    // An option given twice is a mistake, not a choice of the last one.
    for (const QString& name : parser.optionNames()) {
        if (parser.optionNames().count(name) > 1) {
            return failure(command, QStringLiteral("--%1 is given more than once").arg(name));
        }
    }
    if (!parser.positionalArguments().isEmpty()) {
        return failure(command, QStringLiteral("unexpected argument: ") +
                                    parser.positionalArguments().first());
    }
    if (parser.isSet(o.help)) {
        command.action = CommandLine::Action::Help;
        return command;
    }
    if (parser.isSet(o.version)) {
        command.action = CommandLine::Action::Version;
        return command;
    }
    if (const auto reading = readingAction(parser, o, command)) {
        return *reading;
    }
    if (parser.isSet(o.composeSura)) {
        const auto n = numberIn(parser.value(o.composeSura), 1, 114);
        if (!n) {
            return failure(command,
                           QStringLiteral("--compose-sura takes a sura number from 1 to 114"));
        }
        command.action = CommandLine::Action::ComposeSura;
        command.number = *n;
        return command;
    }
    if (parser.isSet(o.compose)) {
        for (const QString& item : parser.value(o.compose).split(u',')) {
            bool ok = false;
            const qint64 id = westernDigits(item).trimmed().toLongLong(&ok);
            if (!ok || id < 1) {
                return failure(command,
                               QStringLiteral("--compose takes aya IDs separated by commas"));
            }
            command.ids.append(id);
        }
        command.action = CommandLine::Action::ComposeChosen;
        return command;
    }
    const int scopes = int(parser.isSet(o.sura)) + int(parser.isSet(o.suras)) +
                       int(parser.isSet(o.juz)) + int(parser.isSet(o.juzs));
    if (scopes > 1) {
        return failure(command,
                       QStringLiteral("give at most one of --sura, --suras, --juz, --juzs"));
    }
    // The sura and juz options, checked once for their two uses.
    std::optional<int> suraNumber, juzNumber;
    std::optional<std::pair<int, int>> suraRange, juzRange;
    if (parser.isSet(o.sura) && !(suraNumber = numberIn(parser.value(o.sura), 1, 114))) {
        return failure(command, QStringLiteral("--sura takes a sura number from 1 to 114"));
    }
    if (parser.isSet(o.suras) && !(suraRange = rangeIn(parser.value(o.suras), 1, 114))) {
        return failure(command,
                       QStringLiteral("--suras takes A-B with sura numbers from 1 to 114"));
    }
    if (parser.isSet(o.juz) && !(juzNumber = numberIn(parser.value(o.juz), 1, 30))) {
        return failure(command, QStringLiteral("--juz takes a juz number from 1 to 30"));
    }
    if (parser.isSet(o.juzs) && !(juzRange = rangeIn(parser.value(o.juzs), 1, 30))) {
        return failure(command, QStringLiteral("--juzs takes A-B with juz numbers from 1 to 30"));
    }

    if (parser.isSet(o.search)) {
        command.action = CommandLine::Action::Search;
        command.searchText = searchableText(parser.value(o.search));
        if (isEmptySearch(command.searchText)) {
            return failure(command, QStringLiteral("--search needs a text"));
        }
        SearchOptions& options = command.options;
        options.wholeWord = !parser.isSet(o.partial);
        command.spans = parser.isSet(o.spans);
        if (suraNumber) {
            options.scope = 3, options.sora = *suraNumber - 1;
        } else if (suraRange) {
            options.scope = 4, options.sora1 = suraRange->first - 1,
            options.sora2 = suraRange->second - 1;
        } else if (juzNumber) {
            options.scope = 1, options.part = *juzNumber - 1;
        } else if (juzRange) {
            options.scope = 2, options.part1 = juzRange->first - 1,
            options.part2 = juzRange->second - 1;
        }
        return command;
    }
    if (parser.isSet(o.partial) || parser.isSet(o.spans) || suraRange || juzRange) {
        return failure(command,
                       QStringLiteral("--partial, --spans, --suras and --juzs go with --search"));
    }
    if (suraNumber) {
        command.action = CommandLine::Action::ListSura;
        command.number = *suraNumber;
    } else if (juzNumber) {
        command.action = CommandLine::Action::ListJuz;
        command.number = *juzNumber;
    }
    return command;
}

namespace {

// A store whose failures go to the error stream and are remembered.
struct CommandStore {
    explicit CommandStore(std::FILE* err)
        : store([this, err](const QString& message) {
              failed = true;
              print(err, QStringLiteral("velmor: ") + message + u'\n');
          }) {}
    bool failed = false;
    store::Store store;
};

int composeSuraText(int sura, const QString& programFolder, std::FILE* out, std::FILE* err) {
    CommandStore data(err);
    store::RecordView view(data.store);
    view.setConnectionString(store::buildConnectionString(programFolder));
    const QString text = composeWholeSura(view, sura, [] { return true; });
    if (data.failed) {
        return 1;
    }
    print(out, text);
    return 0;
}

int composeChosenText(const QList<qint64>& ids, const QString& programFolder, std::FILE* out,
                      std::FILE* err) {
    CommandStore data(err);
    store::RecordView view(data.store);
    view.setConnectionString(store::buildConnectionString(programFolder));
    // Every aya's place, read once, gives each chosen line; the composition
    // then reads each aya once.
    const std::optional<Mushaf> mushaf = Mushaf::read(view);
    if (data.failed || !mushaf) {
        if (!data.failed) {
            print(err, QStringLiteral("velmor: the places of the ayas in the database cannot be "
                                      "read\n"));
        }
        return 1;
    }
    for (const qint64 id : ids) {
        if (!mushaf->contains(id)) {
            print(err, QStringLiteral("velmor: no aya has the ID %1\n").arg(id));
            return 2;
        }
    }
    const auto line = [&](qsizetype k) {
        const AyaPlace& place = mushaf->place(ids[k]);
        return resultLine(place.sura, place.aya);
    };
    const QString text =
        composeChosen(view, {[&] { return ids.size(); }, [&](qsizetype k) { return ids[k]; }, line},
                      [] { return true; });
    if (data.failed) {
        return 1;
    }
    print(out, text);
    return 0;
}

// The matched stretches of an aya, as the --spans line gives them.
QString spansLine(const QList<MatchSpan>& spans) {
    QStringList pairs;
    for (const MatchSpan& span : spans) {
        pairs.append(QStringLiteral("%1:%2").arg(span.start).arg(span.length));
    }
    return pairs.join(u' ');
}

// Fills a search session as fill says, then prints one result line per row
// (each followed by its matched stretches when asked), then the count;
// fails on an unusable database.
int printResults(const std::function<void(SearchSession&)>& fill, const QString& programFolder,
                 std::FILE* out, std::FILE* err, bool spans = false) {
    CommandStore data(err);
    SearchSession session(data.store);
    session.connect(store::buildConnectionString(programFolder));
    fill(session);
    if (data.failed) {
        return 1;
    }
    const std::optional<SpanFinder>& finder = session.spanFinder();
    for (int row = 0; row < session.results().count(); ++row) {
        print(out, session.results().rows()[static_cast<std::size_t>(row)].line + u'\n');
        if (spans && finder) {
            print(out, spansLine(finder->spans(session.details(row)->ayaText)) + u'\n');
        }
    }
    print(out, QString::number(session.results().count()) + u'\n');
    return data.failed ? 1 : 0;
}

int printListing(const QString& query, const QString& programFolder, std::FILE* out,
                 std::FILE* err) {
    return printResults(
        [&query](SearchSession& session) {
            session.list(
                query, 0, [] {}, [](const auto&) {});
        },
        programFolder, out, err);
}

// A page with no aya is named in the message with the pages there are.
int printPage(int page, const QString& programFolder, std::FILE* out, std::FILE* err) {
    CommandStore data(err);
    store::RecordView view(data.store);
    view.setConnectionString(store::buildConnectionString(programFolder));
    const std::optional<Mushaf> mushaf = Mushaf::read(view);
    if (data.failed || !mushaf) {
        if (!data.failed) {
            print(err, QStringLiteral("velmor: the places of the ayas in the database cannot be "
                                      "read\n"));
        }
        return 1;
    }
    if (page > mushaf->lastPage()) {
        print(err, QStringLiteral("velmor: no page %1: the pages run from 1 to %2\n")
                       .arg(page)
                       .arg(mushaf->lastPage()));
        return 2;
    }
    return printListing(store::catalogue::wholePage(page), programFolder, out, err);
}

int printAyaField(const CommandLine& command, const QString& programFolder, std::FILE* out,
                  std::FILE* err) {
    CommandStore data(err);
    ReadingSession session(data.store, store::buildConnectionString(programFolder));
    const auto id = session.ready() ? session.mushaf().idOf(command.aya) : std::nullopt;
    if (data.failed || !session.ready()) {
        if (!data.failed) {
            print(err, QStringLiteral("velmor: the places of the ayas in the database cannot be "
                                      "read\n"));
        }
        return 1;
    }
    if (!id) {
        print(err, QStringLiteral("velmor: no aya %1:%2 in the database\n")
                       .arg(command.aya.sura)
                       .arg(command.aya.aya));
        return 2;
    }
    session.goTo(*id);
    const QString text = command.action == CommandLine::Action::PrintAya
                             ? session.ayaText()
                             : session.tafsir(command.source);
    if (data.failed) {
        return 1;
    }
    print(out, text + u'\n');
    return 0;
}

} // namespace

namespace {
int runAction(const CommandLine& command, const QString& programFolder, std::FILE* out,
              std::FILE* err) {
    switch (command.action) {
    case CommandLine::Action::Help:
        print(out, command.helpText);
        return 0;
    case CommandLine::Action::Version:
        print(out, QStringLiteral("Velmor %1\n").arg(QLatin1String(kVersion)));
        return 0;
    case CommandLine::Action::Error:
        // One line, so that a script's log shows the cause where it stopped.
        print(err,
              QStringLiteral("velmor: %1 (velmor --help lists the options)\n").arg(command.error));
        return 2;
    case CommandLine::Action::Search:
        return printResults(
            [&command](SearchSession& session) {
                session.search(
                    command.searchText, command.options, [] {}, [](const auto&) {});
            },
            programFolder, out, err, command.spans);
    case CommandLine::Action::ListSura:
        return printListing(store::catalogue::wholeSuraInOrder(command.number), programFolder, out,
                            err);
    case CommandLine::Action::ListJuz:
        return printListing(store::catalogue::wholeJuz(command.number), programFolder, out, err);
    case CommandLine::Action::ComposeSura:
        return composeSuraText(command.number, programFolder, out, err);
    case CommandLine::Action::ComposeChosen:
        return composeChosenText(command.ids, programFolder, out, err);
    case CommandLine::Action::ListPage:
        return printPage(command.number, programFolder, out, err);
    case CommandLine::Action::PrintAya:
    case CommandLine::Action::PrintTafsir:
        return printAyaField(command, programFolder, out, err);
    case CommandLine::Action::Window:
        break;
    }
    return 0;
}
} // namespace

int runCommandLine(const CommandLine& command, const QString& programFolder, std::FILE* out,
                   std::FILE* err) {
    const int status = runAction(command, programFolder, out, err);
    // Output that did not arrive whole (a full disk, a closed pipe) is a
    // failure, whatever the action made of it.
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        print(err, QStringLiteral("velmor: the output could not be written\n"));
        return status == 0 ? 1 : status;
    }
    return status;
}

} // namespace velmor
