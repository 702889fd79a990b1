// The command line's PDF and image: what they ask for, and writing them.
#include "aya_image.h"
#include "command_options.h"
#include "command_runs.h"
#include "command_table.h"
#include "connection_string.h"
#include "mushaf.h"
#include "record_view.h"

#include <QCommandLineParser>

namespace velmor {

namespace {

Problem readScript(const QCommandLineParser& parser, const Options& o, Script& script) {
    if (parser.isSet(o.script)) {
        const auto named = scriptNamed(parser.value(o.script));
        if (!named) {
            return QStringLiteral("--script takes uthmani or simple");
        }
        script = *named;
    }
    return std::nullopt;
}

// "REF-REF": the first split at a dash where both sides are references.
std::optional<std::pair<AyaRef, AyaRef>> referenceRange(const QString& text) {
    for (qsizetype at = text.indexOf(u'-'); at > 0; at = text.indexOf(u'-', at + 1)) {
        const ParsedReference first = parseReference(text.left(at));
        const ParsedReference last = parseReference(text.mid(at + 1));
        if (first.ref && last.ref) {
            return std::pair{*first.ref, *last.ref};
        }
    }
    return std::nullopt;
}

Problem readPdf(const QCommandLineParser& parser, const Options& o, CommandLine& command) {
    CommandLine::PrintRequest& request = command.value.emplace<CommandLine::PrintRequest>();
    request.file = parser.value(o.pdf);
    if (request.file.isEmpty()) {
        return QStringLiteral("--pdf needs a file");
    }
    const int ways =
        int(parser.isSet(o.sura)) + int(parser.isSet(o.range)) + int(parser.isSet(o.compose));
    if (ways != 1) {
        return QStringLiteral("--pdf takes one of --sura N, --range REF-REF, --compose ID,ID,...");
    }
    if (parser.isSet(o.sura)) {
        const auto sura = numberIn(parser.value(o.sura), 1, 114);
        if (!sura) {
            return QStringLiteral("--sura takes a sura number from 1 to 114");
        }
        request.sura = *sura;
    } else if (parser.isSet(o.range)) {
        request.range = referenceRange(parser.value(o.range));
        if (!request.range) {
            return QStringLiteral("--range takes two references joined by a dash, as 2:1-2:5");
        }
    } else {
        for (const QString& item : parser.value(o.compose).split(u',')) {
            bool ok = false;
            const qint64 id = westernDigits(item).trimmed().toLongLong(&ok);
            if (!ok || id < 1) {
                return QStringLiteral("--compose takes aya IDs separated by commas");
            }
            request.ids.append(id);
        }
    }
    if (parser.isSet(o.tafsir)) {
        request.tafsir = tafsirNamed(parser.value(o.tafsir));
        if (!request.tafsir) {
            return QStringLiteral("--tafsir takes muyassar or jalalayn");
        }
    }
    if (parser.isSet(o.pageSize)) {
        bool known = false;
        request.page.size = print::pageSizeNamed(parser.value(o.pageSize), &known);
        if (!known) {
            return QStringLiteral("--page-size takes a4 or letter");
        }
    }
    return readScript(parser, o, request.script);
}

Problem readImage(const QCommandLineParser& parser, const Options& o, CommandLine& command) {
    CommandLine::PrintRequest& request = command.value.emplace<CommandLine::PrintRequest>();
    request.file = parser.value(o.image);
    if (request.file.isEmpty()) {
        return QStringLiteral("--image needs a file");
    }
    if (!parser.isSet(o.aya)) {
        return QStringLiteral("--image takes the aya --aya REF");
    }
    const ParsedReference parsed = parseReference(parser.value(o.aya));
    if (!parsed.ref) {
        return QStringLiteral("--aya: ") + parsed.error;
    }
    request.range = std::pair{*parsed.ref, *parsed.ref};
    request.width = print::kImageWidth;
    if (parser.isSet(o.width)) {
        const auto width =
            numberIn(parser.value(o.width), print::kMinimumImageWidth, print::kMaximumImageWidth);
        if (!width) {
            return QStringLiteral("--width takes a number of pixels from %1 to %2")
                .arg(print::kMinimumImageWidth)
                .arg(print::kMaximumImageWidth);
        }
        request.width = *width;
    }
    if (parser.isSet(o.theme)) {
        const auto theme = themeNamed(parser.value(o.theme));
        if (!theme) {
            return QStringLiteral("--theme takes light, sepia or dark");
        }
        request.theme = *theme;
    }
    return readScript(parser, o, request.script);
}

} // namespace

std::vector<ActionRow> printActions() {
    using A = CommandLine::Action;
    return {
        {A::SavePdf,
         &Options::pdf,
         {&Options::sura, &Options::range, &Options::compose, &Options::tafsir, &Options::script,
          &Options::pageSize},
         readPdf,
         runs::savePdf},
        {A::SaveImage,
         &Options::image,
         {&Options::aya, &Options::width, &Options::script, &Options::theme},
         readImage,
         runs::saveImage},
    };
}

namespace runs {

namespace {

// The ayas a PDF or an image asks for, read from the database; the status
// to end with when they cannot be (the error stream has said why).
struct Asked {
    std::vector<print::PrintedAya> ayas;
    int status = 0;
};

Asked askedAyas(const CommandLine::PrintRequest& request, const QString& folder, std::FILE* err) {
    CommandStore data(err);
    const bool& said = data.failed;
    store::RecordView view(data.store);
    view.setConnectionString(store::buildConnectionString(folder));
    const std::optional<Mushaf> mushaf = Mushaf::read(view);
    if (!mushaf || said) {
        if (!said) {
            fail(err, QStringLiteral("the places of the ayas in the database cannot be read"));
        }
        return {{}, 1};
    }
    print::PrintRequest what{{}, request.script, request.tafsir};
    if (request.sura != 0) {
        const auto [first, last] = mushaf->suraRange(request.sura);
        what.ids = print::idsBetween(first, last);
    } else if (request.range) {
        const auto first = mushaf->idOf(request.range->first);
        const auto last = mushaf->idOf(request.range->second);
        for (const auto& [id, ref] :
             {std::pair{first, request.range->first}, {last, request.range->second}}) {
            if (!id) {
                fail(err,
                     QStringLiteral("no aya %1:%2 in the database").arg(ref.sura).arg(ref.aya));
                return {{}, 2};
            }
        }
        if (*last < *first) {
            fail(err, QStringLiteral("--range ends before it begins"));
            return {{}, 2};
        }
        what.ids = print::idsBetween(*first, *last);
    } else {
        for (const qint64 id : request.ids) {
            if (!mushaf->contains(id)) {
                fail(err, QStringLiteral("no aya with ID %1: the IDs run from 1 to %2")
                              .arg(id)
                              .arg(mushaf->ayaCount()));
                return {{}, 2};
            }
            what.ids.push_back(id);
        }
    }
    Outcome<std::vector<print::PrintedAya>> read = print::readPrintedAyas(view, what);
    if (!read || said) {
        if (!said) {
            fail(err, read.reason());
        }
        return {{}, 1};
    }
    return {std::move(read).value(), 0};
}

} // namespace

int savePdf(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err) {
    const CommandLine::PrintRequest& request = command.printing();
    const Asked asked = askedAyas(request, folder, err);
    if (asked.status != 0) {
        return asked.status;
    }
    const Outcome<int> pages = print::writePdf(asked.ayas, request.script, request.page,
                                               request.file, print::imageReference(asked.ayas));
    if (!pages) {
        fail(err, QStringLiteral("\"%1\" cannot be written: %2").arg(request.file, pages.reason()));
        return 1;
    }
    print(out, QStringLiteral("%1 pages\n").arg(*pages));
    return 0;
}

int saveImage(const CommandLine& command, const QString& folder, std::FILE* /*out*/,
              std::FILE* err) {
    const CommandLine::PrintRequest& request = command.printing();
    const Asked asked = askedAyas(request, folder, err);
    if (asked.status != 0) {
        return asked.status;
    }
    const Done written = print::writeImage(
        print::ayaImage(asked.ayas, request.script, request.theme, request.width), request.file);
    if (!written) {
        fail(err,
             QStringLiteral("\"%1\" cannot be written: %2").arg(request.file, written.reason()));
        return 1;
    }
    return 0;
}

} // namespace runs

} // namespace velmor
