// Builds the encrypted scripture database from the pinned data packages,
// after checking that the sources agree with each other.
//
// Usage: generate_db --min TEXT.json --clean TEXT.json --meta META.json
//                    --tafsir TAFSIR.json --jalalayn TAFSIR.json --uthmani TEXT.json
//                    --output zarqen.zq
#include "arabic_fold.h"
#include "connection_string.h"
#include "database.h"
#include "reference_lists.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using nlohmann::json;
using namespace velmor::store;

constexpr int kAyaCount = 6236;

struct Aya {
    int sura = 0;
    int aya = 0;
    int juz = 0;
    int page = 0;
    std::string text;
    std::string index;
    std::string tafsir;
    std::string jalalayn;
    std::string uthmani;
};

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail("cannot read " + path.toStdString() + ": " + file.errorString().toStdString());
    }
    return file.readAll();
}

json readJson(const QString& path) {
    const QByteArray bytes = readFile(path);
    try {
        return json::parse(bytes.constData(), bytes.constData() + bytes.size());
    } catch (const json::exception& e) {
        fail("cannot parse " + path.toStdString() + ": " + e.what());
    }
}

std::vector<std::string> readTextArray(const QString& path) {
    const json text = readJson(path);
    if (!text.is_array() || text.size() != kAyaCount) {
        fail(path.toStdString() + " must hold " + std::to_string(kAyaCount) + " strings");
    }
    return text.get<std::vector<std::string>>();
}

// The words of a text with every mark removed and no-break spaces as blanks.
std::vector<std::string> wordsWithoutMarks(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char32_t c : decodeUtf8(text)) {
        if (c == U' ' || c == 0x00A0) {
            if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        } else if (!isIgnoredMark(c)) {
            word += encodeUtf8(std::u32string_view(&c, 1));
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

// The tafsir files of the pinned translation package: one string per aya in
// reading order. Their checksums are pinned here, so a changed file is refused
// even when the package lock was edited to accept it.
constexpr char kMuyassarSha256[] =
    "efcc23d2030bc3029ee75d008218790c5362b50ad06e9daca6ab246128fcccba";
constexpr char kJalalaynSha256[] =
    "8736d00c8d5e68962fd3e87c1718fda0ce913c4a096cbee8f5db2c316b070d88";

// The King Fahd Complex's Hafs text in the Uthmani script, stored byte for
// byte as the package gives it.
constexpr char kUthmaniSha256[] =
    "dfd9ec7236049bfa7d3271bce5017abf2ac9236d610c2886b6e28ca0625380bf";

std::vector<std::string> readPinned(const QString& path, const char* sha256) {
    std::vector<std::string> texts = readTextArray(path);
    const QByteArray bytes = readFile(path);
    const QByteArray actual = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    if (actual != QByteArray(sha256)) {
        fail("checksum mismatch for " + path.toStdString() + ": its SHA-256 is " +
             actual.toStdString() + ", expected " + sha256);
    }
    return texts;
}

// The export of al-Jalalayn wrote each double quote of the text as two, the
// way a CSV field escapes it; exactly this many entries carry such pairs.
constexpr int kJalalaynDoubledQuoteEntries = 101;

std::vector<std::string> readJalalayn(const QString& path) {
    std::vector<std::string> tafsir = readPinned(path, kJalalaynSha256);
    int mended = 0;
    for (std::string& entry : tafsir) {
        std::string single;
        single.reserve(entry.size());
        for (std::size_t i = 0; i < entry.size(); ++i) {
            single += entry[i];
            if (entry[i] == '"' && i + 1 < entry.size() && entry[i + 1] == '"') {
                ++i;
            }
        }
        if (single.size() != entry.size()) {
            entry = std::move(single);
            ++mended;
        }
    }
    if (mended != kJalalaynDoubledQuoteEntries) {
        fail(path.toStdString() + " has " + std::to_string(mended) +
             " entries with doubled quotes, expected " +
             std::to_string(kJalalaynDoubledQuoteEntries));
    }
    return tafsir;
}

// Per-sura counts and reading order; pages never going back.
void checkReadingOrder(const std::vector<Aya>& ayat) {
    std::vector<int> perSura(kSuraCount, 0);
    for (std::size_t i = 0; i < ayat.size(); ++i) {
        const Aya& aya = ayat[i];
        if (aya.sura < 1 || aya.sura > kSuraCount) {
            fail("sura number out of range at ID " + std::to_string(i + 1));
        }
        if (aya.aya != ++perSura[static_cast<std::size_t>(aya.sura - 1)]) {
            fail("ayas out of reading order at ID " + std::to_string(i + 1));
        }
        if (i > 0 && aya.sura < ayat[i - 1].sura) {
            fail("suras out of reading order at ID " + std::to_string(i + 1));
        }
    }
    for (int sura = 1; sura <= kSuraCount; ++sura) {
        const int expectedCount = soraayanumlist()[sura - 1].trimmed().toInt();
        if (perSura[static_cast<std::size_t>(sura - 1)] != expectedCount) {
            fail("sura " + std::to_string(sura) + " has " +
                 std::to_string(perSura[static_cast<std::size_t>(sura - 1)]) +
                 " ayas in the metadata, expected " + std::to_string(expectedCount));
        }
    }
    for (std::size_t i = 1; i < ayat.size(); ++i) {
        if (ayat[i].page < ayat[i - 1].page || ayat[i].juz < ayat[i - 1].juz) {
            fail("pages or juz out of reading order at ID " + std::to_string(i + 1));
        }
    }
}

std::vector<Aya> loadSources(const QString& minPath, const QString& cleanPath,
                             const QString& metaPath, const QString& tafsirPath,
                             const QString& jalalaynPath, const QString& uthmaniPath) {
    const std::vector<std::string> marked = readTextArray(minPath);
    const std::vector<std::string> clean = readTextArray(cleanPath);
    const json meta = readJson(metaPath);
    if (!meta.is_array() || meta.size() != kAyaCount) {
        fail(metaPath.toStdString() + " must hold " + std::to_string(kAyaCount) + " rows");
    }

    const std::vector<std::string> tafsir = readPinned(tafsirPath, kMuyassarSha256);
    const std::vector<std::string> jalalayn = readJalalayn(jalalaynPath);
    const std::vector<std::string> uthmani = readPinned(uthmaniPath, kUthmaniSha256);

    std::vector<Aya> ayat(kAyaCount);
    for (int id = 0; id < kAyaCount; ++id) {
        const json& row = meta[static_cast<std::size_t>(id)];
        Aya& aya = ayat[static_cast<std::size_t>(id)];
        aya.sura = row.at(0).get<int>();
        aya.aya = row.at(1).get<int>();
        aya.juz = row.at(2).get<int>();
        aya.page = row.at(3).get<int>();
        aya.text = marked[static_cast<std::size_t>(id)];
        aya.index = makeIndexForm(clean[static_cast<std::size_t>(id)]);
        aya.tafsir = tafsir[static_cast<std::size_t>(id)];
        aya.jalalayn = jalalayn[static_cast<std::size_t>(id)];
        aya.uthmani = uthmani[static_cast<std::size_t>(id)];
        const std::string where = "aya ID " + std::to_string(id + 1) + " (" +
                                  std::to_string(aya.sura) + ":" + std::to_string(aya.aya) + ")";
        if (aya.text.empty()) {
            fail("empty aya text at " + where);
        }
        if (wordsWithoutMarks(aya.text) != wordsWithoutMarks(clean[static_cast<std::size_t>(id)])) {
            fail("the marked and the clean text differ in their words at " + where);
        }
        if (aya.uthmani.empty()) {
            fail("empty Uthmani text at " + where);
        }
        if (aya.tafsir.empty() || aya.jalalayn.empty()) {
            fail("empty tafsir at " + where);
        }
        if (aya.juz < 1 || aya.juz > kJuzCount || aya.page < 1 || aya.page > kPageCount) {
            fail("juz or page out of range at " + where);
        }
    }

    checkReadingOrder(ayat);
    return ayat;
}

void execute(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        fail("SQL failed (" + sql.substr(0, 60) + "): " + text);
    }
}

// Al-Jalalayn and the Uthmani text have tables of their own (ID and one
// text column), so that Ayat and every query of it stay as they are.
void writeTextTable(sqlite3* db, const std::string& table, const std::string& column,
                    const std::vector<Aya>& ayat, std::string Aya::*text) {
    execute(db,
            "CREATE TABLE " + table + " (ID INTEGER PRIMARY KEY, " + column + " TEXT NOT NULL)");
    sqlite3_stmt* raw = nullptr;
    const std::string sql = "INSERT INTO " + table + " VALUES (?, ?)";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        fail(std::string("cannot prepare the insert: ") + sqlite3_errmsg(db));
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> insert(raw, sqlite3_finalize);
    for (std::size_t i = 0; i < ayat.size(); ++i) {
        const std::string& value = ayat[i].*text;
        sqlite3_bind_int64(raw, 1, static_cast<sqlite3_int64>(i) + 1);
        sqlite3_bind_text(raw, 2, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
        if (sqlite3_step(raw) != SQLITE_DONE) {
            fail(std::string("insert failed: ") + sqlite3_errmsg(db));
        }
        sqlite3_reset(raw);
    }
}

void writeDatabase(const std::vector<Aya>& ayat, const QString& outputPath) {
    const QString temporary = outputPath + ".tmp";
    QFile::remove(temporary);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temporary.toUtf8().constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const std::string error = sqlite3_errmsg(db);
        sqlite3_close(db);
        fail("cannot create " + temporary.toStdString() + ": " + error);
    }
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> guard(db, sqlite3_close);
    execute(db, keyStatements(QLatin1String(kDatabasePassword)));
    execute(db, "CREATE TABLE Ayat (ID INTEGER PRIMARY KEY, soraano INTEGER NOT NULL, "
                "ayaano INTEGER NOT NULL, chapterNO INTEGER NOT NULL, pageno INTEGER NOT NULL, "
                "AyaaIndex TEXT NOT NULL, ayaa TEXT NOT NULL, taf TEXT NOT NULL)");
    execute(db, "BEGIN");
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "INSERT INTO Ayat VALUES (?, ?, ?, ?, ?, ?, ?, ?)", -1, &raw,
                           nullptr) != SQLITE_OK) {
        fail(std::string("cannot prepare the insert: ") + sqlite3_errmsg(db));
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> insert(raw, sqlite3_finalize);
    for (std::size_t i = 0; i < ayat.size(); ++i) {
        const Aya& aya = ayat[i];
        sqlite3_bind_int64(raw, 1, static_cast<sqlite3_int64>(i) + 1);
        sqlite3_bind_int(raw, 2, aya.sura);
        sqlite3_bind_int(raw, 3, aya.aya);
        sqlite3_bind_int(raw, 4, aya.juz);
        sqlite3_bind_int(raw, 5, aya.page);
        sqlite3_bind_text(raw, 6, aya.index.data(), static_cast<int>(aya.index.size()),
                          SQLITE_STATIC);
        sqlite3_bind_text(raw, 7, aya.text.data(), static_cast<int>(aya.text.size()),
                          SQLITE_STATIC);
        sqlite3_bind_text(raw, 8, aya.tafsir.data(), static_cast<int>(aya.tafsir.size()),
                          SQLITE_STATIC);
        if (sqlite3_step(raw) != SQLITE_DONE) {
            fail(std::string("insert failed: ") + sqlite3_errmsg(db));
        }
        sqlite3_reset(raw);
    }
    insert.reset();
    writeTextTable(db, "Jalalayn", "taf", ayat, &Aya::jalalayn);
    writeTextTable(db, "Uthmani", "ayaa", ayat, &Aya::uthmani);
    execute(db, "CREATE INDEX AyatSoraano ON Ayat (soraano)");
    execute(db, "CREATE INDEX AyatChapterNO ON Ayat (chapterNO)");
    execute(db, "COMMIT");
    execute(db, "VACUUM");
    guard.reset();

    QFile::remove(outputPath);
    if (!QFile::rename(temporary, outputPath)) {
        fail("cannot move " + temporary.toStdString() + " to " + outputPath.toStdString());
    }
}

} // namespace

int main(int argc, char** argv) {
    QHash<QString, QString> options;
    for (int i = 1; i + 1 < argc; i += 2) {
        options.insert(QString::fromLocal8Bit(argv[i]), QString::fromLocal8Bit(argv[i + 1]));
    }
    for (const char* required :
         {"--min", "--clean", "--meta", "--tafsir", "--jalalayn", "--uthmani", "--output"}) {
        if (!options.contains(QString::fromLatin1(required))) {
            std::fprintf(stderr,
                         "usage: generate_db --min FILE --clean FILE --meta FILE --tafsir FILE "
                         "--jalalayn FILE --uthmani FILE --output FILE\n");
            return 2;
        }
    }
    try {
        const std::vector<Aya> ayat =
            loadSources(options["--min"], options["--clean"], options["--meta"],
                        options["--tafsir"], options["--jalalayn"], options["--uthmani"]);
        writeDatabase(ayat, options["--output"]);
    } catch (const std::exception& e) {
        QFile::remove(options["--output"] + ".tmp");
        std::fprintf(stderr, "generate_db: error: %s\n", e.what());
        return 1;
    }
    std::printf("generate_db: wrote %d ayas to %s\n", kAyaCount,
                options["--output"].toLocal8Bit().constData());
    return 0;
}
