#pragma once

#include "connection_string.h"
#include "database.h"
#include "quran_words.h"
#include "record_view.h"
#include "scripture.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>

namespace velmor::test {

// The text's words as the program reads them from the generated database,
// read once for the whole suite.
inline std::shared_ptr<const verify::QuranWords> programWords() {
    static const std::shared_ptr<const verify::QuranWords> words = [] {
        store::Store store;
        store::RecordView view(store);
        view.setConnectionString(store::buildConnectionString(
            QFileInfo(QStringLiteral(VELMOR_TEST_DATABASE)).absolutePath()));
        auto read = verify::QuranWords::read(view);
        EXPECT_TRUE(read) << read.reason().toStdString();
        return read ? *read : nullptr;
    }();
    return words;
}

// One aya's words as its package writes them (the marked text split at
// blanks and no-break spaces, pause marks alone dropped) and folded apart
// from the program's folding.
struct PackageWord {
    QString marked;
    QString folded;
};
inline const std::vector<std::vector<PackageWord>>& packageWords() {
    static const std::vector<std::vector<PackageWord>> all = [] {
        std::vector<std::vector<PackageWord>> ayas;
        for (int id = 1; id <= 6236; ++id) {
            std::vector<PackageWord> words;
            QString text = packageAyaText(id);
            text.replace(QChar(0x00A0), u' ');
            for (const QString& token : text.split(u' ', Qt::SkipEmptyParts)) {
                const QString folded = referenceFold(token);
                if (!folded.isEmpty()) {
                    words.push_back({token, folded});
                }
            }
            ayas.push_back(std::move(words));
        }
        return ayas;
    }();
    return all;
}

// The index of the aya S:A among the program's ayas.
inline std::size_t ayaIndex(int sura, int aya) {
    const auto& ayas = programWords()->ayas();
    for (std::size_t k = 0; k < ayas.size(); ++k) {
        if (ayas[k].sura == sura && ayas[k].aya == aya) {
            return k;
        }
    }
    ADD_FAILURE() << "no aya " << sura << ":" << aya;
    return 0;
}

} // namespace velmor::test
