#pragma once

#include <QFile>
#include <QString>
#include <nlohmann/json.hpp>
#include <string>

namespace velmor::test {

// The aya texts exactly as the data package has them, by ID (1..6236), read
// independently of the program's database.
inline QString packageAyaText(int id) {
    static const nlohmann::json texts = [] {
        QFile file(QStringLiteral(VELMOR_TEST_TEXT_JSON));
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        return nlohmann::json::parse(bytes.constData(), bytes.constData() + bytes.size());
    }();
    return QString::fromStdString(texts.at(static_cast<std::size_t>(id - 1)).get<std::string>());
}

// The tafsir text of sura:aya exactly as its file has it.
inline QString packageTafsir(int sura, int aya) {
    QFile file(QStringLiteral(VELMOR_TEST_TAFSIR_DIR "/%1.json").arg(sura));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const nlohmann::json parsed =
        nlohmann::json::parse(bytes.constData(), bytes.constData() + bytes.size());
    for (const auto& entry : parsed.at("ayahs")) {
        if (entry.at("ayah").get<int>() == aya) {
            return QString::fromStdString(entry.at("text").get<std::string>());
        }
    }
    return {};
}

} // namespace velmor::test
