#pragma once

#include "reference_fold.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
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

// An aya's text or its tafsir, by ID (1..6236), exactly as its package has
// it, read independently of the program's database.
inline QString packageAyaText(int id) {
    static const nlohmann::json texts = readPackageArray(VELMOR_TEST_TEXT_JSON);
    return QString::fromStdString(texts.at(static_cast<std::size_t>(id - 1)).get<std::string>());
}
inline QString packageTafsir(int id) {
    static const nlohmann::json tafsir = readPackageArray(VELMOR_TEST_TAFSIR_JSON);
    return QString::fromStdString(tafsir.at(static_cast<std::size_t>(id - 1)).get<std::string>());
}
#ifdef VELMOR_TEST_UTHMANI_JSON
// The Uthmani text as its package has it.
inline QString packageUthmani(int id) {
    static const nlohmann::json texts = readPackageArray(VELMOR_TEST_UTHMANI_JSON);
    return QString::fromStdString(texts.at(static_cast<std::size_t>(id - 1)).get<std::string>());
}
#endif
#ifdef VELMOR_TEST_JALALAYN_JSON
// Al-Jalalayn as the package has it, its doubled quotes still doubled.
inline QString packageJalalayn(int id) {
    static const nlohmann::json tafsir = readPackageArray(VELMOR_TEST_JALALAYN_JSON);
    return QString::fromStdString(tafsir.at(static_cast<std::size_t>(id - 1)).get<std::string>());
}
#endif

// Where an aya stands, read from the metadata package.
struct AyaPlace {
    int sura = 0;
    int aya = 0;
    int juz = 0;
    int page = 0;
};

inline const std::vector<AyaPlace>& packagePlaces() {
    static const std::vector<AyaPlace> places = [] {
        std::vector<AyaPlace> all;
        for (const auto& row : readPackageArray(VELMOR_TEST_META_JSON)) {
            all.push_back({row.at(0).get<int>(), row.at(1).get<int>(), row.at(2).get<int>(),
                           row.at(3).get<int>()});
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
