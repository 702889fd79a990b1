#pragma once

#include "reference_fold.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace velmor::test {

// A JSON array of one string per aya, in reading order, as a data package
// ships it.
inline nlohmann::json readPackageArray(const char* path) {
    QFile file(QString::fromUtf8(path));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    return nlohmann::json::parse(bytes.constData(), bytes.constData() + bytes.size());
}

// An aya's text (1..6236) or its tafsir exactly as the data package has
// it, read independently of the program's database.
inline QString packageEntry(const char* path, int id) {
    static std::map<std::string, nlohmann::json> packages;
    auto [at, added] = packages.try_emplace(path);
    if (added) {
        at->second = readPackageArray(path);
    }
    return QString::fromStdString(
        at->second.at(static_cast<std::size_t>(id - 1)).get<std::string>());
}
inline QString packageAyaText(int id) {
    return packageEntry(VELMOR_TEST_TEXT_JSON, id);
}
inline QString packageTafsir(int id) {
    return packageEntry(VELMOR_TEST_TAFSIR_JSON, id);
}

// Where an aya stands, read from the metadata package.
struct AyaPlace {
    int sura = 0;
    int aya = 0;
    int juz = 0;
};

inline const std::vector<AyaPlace>& packagePlaces() {
    static const std::vector<AyaPlace> places = [] {
        std::vector<AyaPlace> all;
        for (const auto& row : readPackageArray(VELMOR_TEST_META_JSON)) {
            all.push_back({row.at(0).get<int>(), row.at(1).get<int>(), row.at(2).get<int>()});
        }
        return all;
    }();
    return places;
}

// A search written independently of the program: the clean text of the
// package folded (reference_fold.h), the word found between blanks
// (whole word) or anywhere (part of a word). Returns the matching IDs of the
// ayas that pass the scope.
inline QList<qint64> referenceSearch(const QString& word, bool wholeWord,
                                     const std::function<bool(const AyaPlace&)>& inScope) {
    static const QStringList folded = [] {
        QStringList texts;
        for (const auto& text : readPackageArray(VELMOR_TEST_CLEAN_JSON)) {
            texts.append(
                u' ' + referenceFold(QString::fromStdString(text.get<std::string>())).simplified() +
                u' ');
        }
        return texts;
    }();
    const QString needle = wholeWord ? u' ' + referenceFold(word) + u' ' : referenceFold(word);
    QList<qint64> ids;
    for (qsizetype i = 0; i < folded.size(); ++i) {
        if (inScope(packagePlaces()[static_cast<std::size_t>(i)]) && folded[i].contains(needle)) {
            ids.append(i + 1);
        }
    }
    return ids;
}

} // namespace velmor::test
