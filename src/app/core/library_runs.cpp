// The command line's actions on the reader's library.
#include "command_runs.h"
#include "library.h"
#include "library_exchange.h"
#include "result_set.h"

#include <QDir>

namespace velmor::runs {

namespace {

using library::Library;

// The library, with what opening it had to say on the error stream.
std::unique_ptr<Library> openLibrary(std::FILE* err) {
    Library::Opened opened = Library::open(Library::defaultPath());
    if (!opened.notice.isEmpty()) {
        fail(err, opened.notice);
    }
    return std::move(opened.library);
}

QString shownFile(const QString& path) {
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(path));
}

// A change: status 1 when the library cannot be written.
int changed(std::FILE* err, const Done& done) {
    if (!done) {
        fail(err, done.reason());
        return 1;
    }
    return 0;
}

} // namespace

QString escapedNote(const QString& text) {
    QString line = text;
    line.replace(u'\\', QStringLiteral("\\\\"));
    line.replace(u'\n', QStringLiteral("\\n"));
    return line;
}

int bookmark(const CommandLine& command, const QString&, std::FILE*, std::FILE* err) {
    const CommandLine::LibraryRequest& request = command.change();
    const auto library = openLibrary(err);
    if (!library) {
        return 1;
    }
    const Outcome<QString> last = library->lastCollection();
    if (!last && !request.collection) {
        return changed(err, Done::failed(last.reason()));
    }
    return changed(
        err, library->addBookmark(request.aya, request.collection.value_or(*last), request.text));
}

int unbookmark(const CommandLine& command, const QString&, std::FILE*, std::FILE* err) {
    const CommandLine::LibraryRequest& request = command.change();
    const auto library = openLibrary(err);
    if (!library) {
        return 1;
    }
    const auto marks = library->bookmarks();
    if (!marks) {
        return changed(err, Done::failed(marks.reason()));
    }
    // Without a collection: the aya's one bookmark, or the one in the
    // collection used last.
    std::vector<QString> holding;
    for (const library::Bookmark& mark : *marks) {
        if (mark.aya == request.aya &&
            (!request.collection || mark.collection == *request.collection)) {
            holding.push_back(mark.collection);
        }
    }
    const Outcome<QString> last = library->lastCollection();
    QString from = holding.size() == 1 ? holding.front() : QString();
    if (holding.size() > 1 && last &&
        std::find(holding.begin(), holding.end(), *last) != holding.end()) {
        from = *last;
    }
    if (from.isEmpty()) {
        fail(err, holding.empty()
                      ? QStringLiteral("--unbookmark: the aya %1 has no bookmark%2")
                            .arg(resultLine(request.aya.sura, request.aya.aya),
                                 request.collection ? QStringLiteral(" in ") + *request.collection
                                                    : QString())
                      : QStringLiteral("--unbookmark: the aya is in several collections; give "
                                       "--collection"));
        return 2;
    }
    return changed(err, library->removeBookmark(request.aya, from));
}

int listBookmarks(const CommandLine&, const QString&, std::FILE* out, std::FILE* err) {
    const auto library = openLibrary(err);
    const auto marks =
        library ? library->bookmarks() : Outcome<std::vector<library::Bookmark>>::failed({});
    if (!marks) {
        return library ? changed(err, Done::failed(marks.reason())) : 1;
    }
    for (const library::Bookmark& mark : *marks) {
        print(out, QStringLiteral("%1\t%2\t%3\n")
                       .arg(resultLine(mark.aya.sura, mark.aya.aya), mark.collection,
                            QString(mark.label).replace(u'\t', u' ').replace(u'\n', u' ')));
    }
    return 0;
}

int setNote(const CommandLine& command, const QString&, std::FILE*, std::FILE* err) {
    const CommandLine::LibraryRequest& request = command.change();
    if (request.text.toUtf8().size() > library::kNoteLimit) {
        fail(err, QStringLiteral("--note: the note is over 1 MiB"));
        return 2;
    }
    const auto library = openLibrary(err);
    return library ? changed(err, library->setNote(request.aya, request.text)) : 1;
}

int listNotes(const CommandLine&, const QString&, std::FILE* out, std::FILE* err) {
    const auto library = openLibrary(err);
    const auto notes = library ? library->notes() : Outcome<std::vector<library::Note>>::failed({});
    if (!notes) {
        return library ? changed(err, Done::failed(notes.reason())) : 1;
    }
    for (const library::Note& note : *notes) {
        print(out,
              resultLine(note.aya.sura, note.aya.aya) + u'\t' + escapedNote(note.text) + u'\n');
    }
    return 0;
}

int exportLibrary(const CommandLine& command, const QString&, std::FILE*, std::FILE* err) {
    const auto library = openLibrary(err);
    if (!library) {
        return 1;
    }
    const Done written = library::exportTo(*library, command.text());
    if (!written) {
        fail(err, QStringLiteral("--export: %1 could not be written: %2")
                      .arg(shownFile(command.text()), written.reason()));
        return 1;
    }
    return 0;
}

int importLibrary(const CommandLine& command, const QString&, std::FILE*, std::FILE* err) {
    const Outcome<QByteArray> bytes = library::readImport(command.text());
    const Outcome<library::Contents> contents =
        bytes ? library::fromJson(*bytes) : Outcome<library::Contents>::failed(bytes.reason());
    if (!contents) {
        fail(err,
             QStringLiteral("--import: %1: %2").arg(shownFile(command.text()), contents.reason()));
        return 2;
    }
    const auto library = openLibrary(err);
    return library ? changed(err, library::merge(*library, *contents)) : 1;
}

int listHistory(const CommandLine&, const QString&, std::FILE* out, std::FILE* err) {
    const auto library = openLibrary(err);
    const auto history =
        library ? library->history() : Outcome<std::vector<library::RecentSearch>>::failed({});
    if (!history) {
        return library ? changed(err, Done::failed(history.reason())) : 1;
    }
    for (const library::RecentSearch& search : *history) {
        print(out, QStringLiteral("%1\t%2\t%3\t%4\n")
                       .arg(search.text,
                            search.partial ? QStringLiteral("partial") : QStringLiteral("whole"),
                            search.scope, search.at));
    }
    return 0;
}

} // namespace velmor::runs
