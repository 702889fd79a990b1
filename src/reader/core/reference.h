#pragma once

#include <QString>
#include <optional>

namespace velmor {

// An aya by its sura and its number within the sura.
struct AyaRef {
    int sura = 0;
    int aya = 0;
    bool operator==(const AyaRef&) const = default;
};

// A reference as a reader types it: "2:255", "٢:٢٥٥", "البقرة 255",
// "البقرة:255", "سورة البقرة", or a sura alone (name or number), which means
// its first aya. Names match without their marks, letter variants and the
// article; digits may be Arabic-Indic. Either ref is set, or error holds an
// Arabic sentence that says what is wrong.
struct ParsedReference {
    std::optional<AyaRef> ref;
    QString error;
};
ParsedReference parseReference(const QString& text);

// The sura whose name this is (matched as references match names), or 0.
int suraNamed(const QString& name);

// The text with its Arabic-Indic (٠..٩) and extended Arabic-Indic (۰..۹)
// digits as ASCII digits.
QString westernDigits(QString text);

// A number in Arabic-Indic digits (٠..٩).
QString arabicIndicNumber(qint64 number);

} // namespace velmor
