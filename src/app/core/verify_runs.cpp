// The command line's checks of a quotation and its similar ayas.
#include "command_runs.h"
#include "connection_string.h"
#include "quotation_finder.h"
#include "record_view.h"
#include "result_set.h"
#include "similar_ayas.h"
#include "verify_format.h"
#include "whole_file.h"

#include <QStringDecoder>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace velmor::runs {

namespace {

// The most a text to check may hold.
constexpr qsizetype kVerifyLimit = qsizetype{1024} * 1024;

// The text's words, read through the program's database; the error stream
// says why when they cannot be.
std::shared_ptr<const verify::QuranWords> readWords(const QString& folder, std::FILE* err) {
    CommandStore data(err);
    const bool& said = data.failed;
    store::RecordView view(data.store);
    view.setConnectionString(store::buildConnectionString(folder));
    auto words = verify::QuranWords::read(view);
    if (!words) {
        if (!said) {
            fail(err, words.reason());
        }
        return nullptr;
    }
    return *words;
}

// The bytes of FILE, or of standard input for "-", at most the limit.
Outcome<QByteArray> readInput(const QString& path) {
    if (path == u"-") {
        // Read to the end (a pipe gives its bytes as they come), at most one
        // byte past the limit.
        QByteArray bytes;
        char chunk[65536];
        while (bytes.size() <= kVerifyLimit) {
            const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return Outcome<QByteArray>::failed(QString::fromLocal8Bit(std::strerror(errno)));
            }
            if (got == 0) {
                break;
            }
            bytes.append(chunk, static_cast<qsizetype>(got));
        }
        return bytes;
    }
    return readRegularFile(path, kVerifyLimit + 1);
}

} // namespace

int verifyText(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err) {
    const QString path = command.text();
    const QString named =
        path == u"-" ? QStringLiteral("standard input") : QStringLiteral("\"%1\"").arg(path);
    const Outcome<QByteArray> bytes = readInput(path);
    if (!bytes) {
        fail(err, named + QStringLiteral(" cannot be read: ") + bytes.reason());
        return 2;
    }
    if (bytes->size() > kVerifyLimit) {
        fail(err, named + QStringLiteral(" holds more than 1 MiB"));
        return 2;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(*bytes);
    if (decoder.hasError()) {
        fail(err, named + QStringLiteral(" is not UTF-8 text"));
        return 2;
    }
    const auto words = readWords(folder, err);
    if (!words) {
        return 1;
    }
    const verify::QuotationFinder finder(words);
    const std::vector<verify::Quotation> found = finder.find(text);
    QString lines;
    for (const verify::Quotation& quotation : found) {
        lines += verify::quotationLine(*words, quotation) + u'\n';
    }
    print(out, lines + QString::number(found.size()) + u'\n');
    return 0;
}

int similarAyas(const CommandLine& command, const QString& folder, std::FILE* out, std::FILE* err) {
    const auto words = readWords(folder, err);
    if (!words) {
        return 1;
    }
    const AyaRef ref = command.aya().aya;
    std::optional<std::size_t> given;
    for (std::size_t k = 0; k < words->ayas().size(); ++k) {
        if (words->aya(k).sura == ref.sura && words->aya(k).aya == ref.aya) {
            given = k;
        }
    }
    if (!given) {
        fail(err, QStringLiteral("no aya %1:%2 in the database").arg(ref.sura).arg(ref.aya));
        return 2;
    }
    const verify::SimilarAyas similar(words);
    const std::vector<verify::SimilarAya> found = similar.of(*given);
    QString lines;
    for (const verify::SimilarAya& aya : found) {
        QStringList slips;
        for (const verify::Slip& slip : verify::differences(*words, *given, aya)) {
            slips.append(verify::slipText(slip));
        }
        lines += resultLine(words->aya(aya.aya).sura, words->aya(aya.aya).aya) + u'\n' +
                 slips.join(u'\t') + u'\n';
    }
    print(out, lines + QString::number(found.size()) + u'\n');
    return 0;
}

} // namespace velmor::runs
