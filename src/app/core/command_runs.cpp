#include "command_runs.h"

#include "catalogue.h"
#include "composition.h"
#include "connection_string.h"
#include "match_spans.h"
#include "record_view.h"
#include "result_set.h"
#include "search_session.h"
#include "version.h"

namespace velmor::runs {

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

CommandStore::CommandStore(std::FILE* err)
    : store([this, err](const QString& message) {
          failed = true;
          print(err, QStringLiteral("velmor: ") + message + u'\n');
      }) {}

namespace {

const QString kNoPlaces =
    QStringLiteral("velmor: the places of the ayas in the database cannot be read\n");

// Every aya's place; nothing when they cannot be read, and the error stream
// says why (the store has said it when it refused the file).
std::optional<Mushaf> placesOf(store::RecordView& view, const CommandStore& data, std::FILE* err) {
    std::optional<Mushaf> mushaf = Mushaf::read(view);
    if (data.failed || !mushaf) {
        if (!data.failed) {
            print(err, kNoPlaces);
        }
        return std::nullopt;
    }
    return mushaf;
}

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
    const std::optional<Mushaf> mushaf = placesOf(view, data, err);
    if (!mushaf) {
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
    const QString text = ::velmor::composeChosen(
        view, {[&] { return ids.size(); }, [&](qsizetype k) { return ids[k]; }, line},
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
    const std::optional<Mushaf> mushaf = placesOf(view, data, err);
    if (!mushaf) {
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

int printAyaFieldOf(const CommandLine& command, const QString& programFolder, std::FILE* out,
                    std::FILE* err) {
    CommandStore data(err);
    ReadingSession session(data.store, store::buildConnectionString(programFolder));
    const auto id = session.ready() ? session.mushaf().idOf(command.aya().aya) : std::nullopt;
    if (data.failed || !session.ready()) {
        if (!data.failed) {
            print(err, kNoPlaces);
        }
        return 1;
    }
    if (!id) {
        print(err, QStringLiteral("velmor: no aya %1:%2 in the database\n")
                       .arg(command.aya().aya.sura)
                       .arg(command.aya().aya.aya));
        return 2;
    }
    if (command.action == CommandLine::Action::PrintAya) {
        static_cast<void>(session.setScript(command.aya().script));
    }
    session.goTo(*id);
    const QString text = command.action == CommandLine::Action::PrintAya
                             ? session.ayaText()
                             : session.tafsir(command.aya().source);
    if (data.failed) {
        return 1;
    }
    print(out, text + u'\n');
    return 0;
}

} // namespace

void fail(std::FILE* err, const QString& reason) {
    print(err, QStringLiteral("velmor: ") + reason + u'\n');
}

int help(const CommandLine& command, const QString& /*folder*/, std::FILE* out,
         std::FILE* /*err*/) {
    print(out, command.text());
    return 0;
}

int version(const CommandLine& /*command*/, const QString& /*folder*/, std::FILE* out,
            std::FILE* /*err*/) {
    print(out, QStringLiteral("Velmor %1\n").arg(QLatin1String(kVersion)));
    return 0;
}

int search(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err) {
    return printResults(
        [&command](SearchSession& session) {
            session.search(
                command.search().text, command.search().options, [] {}, [](const auto&) {});
        },
        folder, out, err, command.search().spans);
}

int listSura(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err) {
    return printListing(store::catalogue::wholeSuraInOrder(command.number()), folder, out, err);
}

int listJuz(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err) {
    return printListing(store::catalogue::wholeJuz(command.number()), folder, out, err);
}

int listPage(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err) {
    return printPage(command.number(), folder, out, err);
}

int composeSura(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err) {
    return composeSuraText(command.number(), folder, out, err);
}

int composeChosen(const CommandLine& command, const QString& folder, std::FILE* out,
                  std::FILE* err) {
    return composeChosenText(command.ids(), folder, out, err);
}

int printAyaField(const CommandLine& command, const QString& folder, std::FILE* out,
                  std::FILE* err) {
    return printAyaFieldOf(command, folder, out, err);
}

} // namespace velmor::runs
