#pragma once

#include <QFile>
#include <QString>
#include <nlohmann/json.hpp>
#include <string>

namespace velmor::test {

// A JSON array of one string per aya, in reading order, as a data package
// ships it.
inline nlohmann::json readPackageArray(const char* path) {
    QFile file(QString::fromUtf8(path));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    return nlohmann::json::parse(bytes.constData(), bytes.constData() + bytes.size());
}

// The aya texts exactly as the data package has them, by ID (1..6236), read
// independently of the program's database.
inline QString packageAyaText(int id) {
    static const nlohmann::json texts = readPackageArray(VELMOR_TEST_TEXT_JSON);
    return QString::fromStdString(texts.at(static_cast<std::size_t>(id - 1)).get<std::string>());
}

// The tafsir of the aya with the given ID exactly as its package has it.
inline QString packageTafsir(int id) {
    static const nlohmann::json tafsir = readPackageArray(VELMOR_TEST_TAFSIR_JSON);
    return QString::fromStdString(tafsir.at(static_cast<std::size_t>(id - 1)).get<std::string>());
}

} // namespace velmor::test
