#pragma once

#include "mushaf.h"
#include "script.h"
#include "search_session.h"
#include "sura_text.h"

#include <QColor>
#include <QString>
#include <array>
#include <memory>
#include <optional>

namespace velmor::store {
class Store;
class RecordView;
} // namespace velmor::store

namespace velmor {

enum class TafsirSource { Muyassar, Jalalayn };
// Its Arabic title, as the reader picks it.
QString tafsirTitle(TafsirSource source);
// The word that names it on the command line and in the settings.
QString tafsirKey(TafsirSource source);
std::optional<TafsirSource> tafsirNamed(const QString& key);

// Where the reading window stands: the mushaf's places, the sura on show,
// the current aya, the stretches the last search matched. Everything is read
// through the store; nothing here needs a widget.
class ReadingSession {
public:
    ReadingSession(store::Store& store, const QString& connectionString);
    ~ReadingSession();

    // False when the database could not be read (the store has said why).
    bool ready() const { return mushaf_.has_value(); }
    // Reads the places again if the last try failed (the file may be back).
    bool ensureReady();
    const Mushaf& mushaf() const { return *mushaf_; }

    enum class Moved { Nowhere, WithinSura, ToAnotherSura };
    // Makes the aya current, reading its sura when it is another one.
    Moved goTo(qint64 id);
    qint64 current() const { return current_; }
    const AyaPlace& place() const { return mushaf_->place(current_); }
    const SuraText& sura() const { return sura_; }

    // The script the sura is shown in; a change assembles it again, in the
    // other text (returns whether it changed).
    bool setScript(Script script);
    Script script() const { return script_; }

    // The current aya's marked text in the script shown, exactly as stored.
    QString ayaText() const;
    // The sura's ayas in the simple spelling, the one the search reads.
    const std::vector<ReaderAya>& simpleAyas() const { return simple_; }
    // The current aya's tafsir from the source, exactly as stored.
    QString tafsir(TafsirSource source) const;

    // The search whose matches are marked; nothing after a listing.
    using Search = SearchSession::Search;
    // Returns whether the search changed.
    bool setSearch(std::optional<Search> search);
    // The matched stretches in the sura's body.
    // Found when first asked for after the sura or the search changed.
    const QList<MatchSpan>& matches() const;

    // The current aya as the aya display shows it: its text in the script
    // shown, " (", its result line, " )"; with marks removed when asked.
    QString copyText(bool withoutMarks) const;

private:
    void readSura(int sura);
    void assemble();
    // Where the current aya stands in the sura on show, if it is there.
    std::optional<std::size_t> currentIndex() const;

    std::unique_ptr<store::RecordView> view_;
    std::optional<Mushaf> mushaf_;
    qint64 current_ = 0;
    SuraText sura_;
    Script script_ = Script::Simple;
    int suraNumber_ = 0;
    std::vector<ReaderAya> simple_; // the sura in each script, aya by aya
    std::vector<ReaderAya> uthmani_;
    QStringList muyassar_; // the sura's al-Muyassar, aya by aya
    std::optional<Search> search_;
    // The matched stretches in each script's body, found when first asked
    // for after the sura or the search changed.
    mutable std::array<std::optional<QList<MatchSpan>>, 2> matches_;
};

enum class ReaderTheme { Light, Sepia, Dark };
QString themeTitle(ReaderTheme theme);
QString themeKey(ReaderTheme theme);
std::optional<ReaderTheme> themeNamed(const QString& key);

struct ThemeColours {
    QColor background;
    QColor text;
    QColor currentAya; // the current aya's tint
    QColor match;      // a matched stretch
    QColor matchText;
};
ThemeColours coloursOf(ReaderTheme theme);

// The contrast ratio of two colours (WCAG 2): 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

} // namespace velmor
