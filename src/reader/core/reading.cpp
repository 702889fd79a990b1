#include "reading.h"

#include "catalogue.h"
#include "composition.h"
#include "record_view.h"
#include "result_set.h"

#include <algorithm>
#include <cmath>

namespace velmor {

QString tafsirTitle(TafsirSource source) {
    return source == TafsirSource::Jalalayn ? QStringLiteral("تفسير الجلالين")
                                            : QStringLiteral("التفسير الميسر");
}

QString tafsirKey(TafsirSource source) {
    return source == TafsirSource::Jalalayn ? QStringLiteral("jalalayn")
                                            : QStringLiteral("muyassar");
}

std::optional<TafsirSource> tafsirNamed(const QString& key) {
    for (const TafsirSource source : {TafsirSource::Muyassar, TafsirSource::Jalalayn}) {
        if (key == tafsirKey(source)) {
            return source;
        }
    }
    return std::nullopt;
}

ReadingSession::ReadingSession(store::Store& store, const QString& connectionString)
    : view_(std::make_unique<store::RecordView>(store)) {
    view_->setConnectionString(connectionString);
    mushaf_ = Mushaf::read(*view_);
}

ReadingSession::~ReadingSession() = default;

bool ReadingSession::ensureReady() {
    if (!mushaf_) {
        mushaf_ = Mushaf::read(*view_);
    }
    return ready();
}

ReadingSession::Moved ReadingSession::goTo(qint64 id) {
    if (!ensureReady() || !mushaf_->contains(id) || id == current_) {
        return Moved::Nowhere;
    }
    const int sura = mushaf_->place(id).sura;
    const bool another = sura_.sura != sura || sura_.find(id) == nullptr;
    current_ = id;
    if (!another) {
        return Moved::WithinSura;
    }
    readSura(sura);
    return Moved::ToAnotherSura;
}

void ReadingSession::readSura(int sura) {
    view_->setRecordSource(store::catalogue::wholeSuraInOrder(sura));
    view_->refresh();
    suraNumber_ = sura;
    simple_.clear();
    muyassar_.clear();
    for (; !view_->eof(); view_->moveNext()) {
        simple_.push_back({view_->integer(u"ID"), static_cast<int>(view_->integer(u"ayaano")),
                           static_cast<int>(view_->integer(u"pageno")), view_->field(u"ayaa")});
        muyassar_.append(view_->field(u"taf"));
    }
    // The Uthmani text of the same ayas, by their IDs; an aya it lacks
    // keeps its simple text.
    uthmani_ = simple_;
    if (!simple_.empty()) {
        view_->setRecordSource(store::catalogue::uthmaniOf(simple_.front().id, simple_.back().id));
        view_->refresh();
        for (; !view_->eof(); view_->moveNext()) {
            const qint64 id = view_->integer(u"ID") - simple_.front().id;
            if (id >= 0 && static_cast<std::size_t>(id) < uthmani_.size()) {
                uthmani_[static_cast<std::size_t>(id)].text = view_->field(u"ayaa");
            }
        }
    }
    matches_ = {};
    assemble();
}

void ReadingSession::assemble() {
    sura_ = assembleSura(suraNumber_, script_ == Script::Uthmani ? uthmani_ : simple_);
}

bool ReadingSession::setScript(Script script) {
    if (script == script_) {
        return false;
    }
    script_ = script;
    if (!simple_.empty()) {
        assemble();
    }
    return true;
}

std::optional<std::size_t> ReadingSession::currentIndex() const {
    const SuraText::Placed* placed = sura_.find(current_);
    return placed == nullptr
               ? std::nullopt
               : std::optional<std::size_t>(static_cast<std::size_t>(placed - sura_.placed.data()));
}

QString ReadingSession::tafsir(TafsirSource source) const {
    const auto k = currentIndex();
    if (!k) {
        return {};
    }
    if (source == TafsirSource::Muyassar) {
        return muyassar_.value(static_cast<qsizetype>(*k));
    }
    view_->setRecordSource(store::catalogue::jalalaynOf(current_));
    view_->refresh();
    return view_->field(u"taf");
}

bool ReadingSession::setSearch(std::optional<Search> search) {
    if (search == search_) {
        return false;
    }
    search_ = std::move(search);
    matches_ = {};
    return true;
}

const QList<MatchSpan>& ReadingSession::matches() const {
    std::optional<QList<MatchSpan>>& found = matches_[script_ == Script::Uthmani ? 1 : 0];
    if (!found) {
        found.emplace();
        if (search_ && script_ == Script::Simple) {
            *found = bodySpans(sura_, search_->text, search_->wholeWord);
        } else if (search_) {
            // Found in the simple text, as the search found them, and shown
            // on the Uthmani words that hold them.
            const SpanFinder finder(search_->text, search_->wholeWord);
            for (std::size_t k = 0; k < simple_.size() && k < sura_.placed.size(); ++k) {
                const QString& text = simple_[k].text;
                const QList<MatchSpan> spans = utf16Spans(finder.spans(text), text);
                for (const MatchSpan& span : uthmaniSpans(spans, text, sura_.ayas[k].text)) {
                    found->append({sura_.placed[k].start + span.start, span.length});
                }
            }
        }
    }
    return *found;
}

QString ReadingSession::ayaText() const {
    const auto k = currentIndex();
    return k ? sura_.ayas[*k].text : QString();
}

QString ReadingSession::copyText(bool plain) const {
    const auto k = currentIndex();
    if (!k) {
        return {};
    }
    const QString& text = sura_.ayas[*k].text;
    return ayaDisplayText(plain ? plainLetters(text) : text, resultLine(place().sura, place().aya));
}

QString themeTitle(ReaderTheme theme) {
    switch (theme) {
    case ReaderTheme::Sepia:
        return QStringLiteral("ورقي");
    case ReaderTheme::Dark:
        return QStringLiteral("ليلي");
    case ReaderTheme::Light:
        break;
    }
    return QStringLiteral("نهاري");
}

QString themeKey(ReaderTheme theme) {
    switch (theme) {
    case ReaderTheme::Sepia:
        return QStringLiteral("sepia");
    case ReaderTheme::Dark:
        return QStringLiteral("dark");
    case ReaderTheme::Light:
        break;
    }
    return QStringLiteral("light");
}

std::optional<ReaderTheme> themeNamed(const QString& key) {
    for (const ReaderTheme theme : {ReaderTheme::Light, ReaderTheme::Sepia, ReaderTheme::Dark}) {
        if (key == themeKey(theme)) {
            return theme;
        }
    }
    return std::nullopt;
}

ThemeColours coloursOf(ReaderTheme theme) {
    switch (theme) {
    case ReaderTheme::Sepia:
        return {QColor(0xF4, 0xEC, 0xD8), QColor(0x3B, 0x2F, 0x1E), QColor(0xE6, 0xD5, 0xAE),
                QColor(0xC9, 0x8B, 0x2B), QColor(0x1A, 0x12, 0x08)};
    case ReaderTheme::Dark:
        return {QColor(0x12, 0x14, 0x18), QColor(0xE6, 0xE1, 0xD6), QColor(0x2A, 0x33, 0x40),
                QColor(0x8A, 0x6D, 0x1E), QColor(0xFF, 0xFF, 0xFF)};
    case ReaderTheme::Light:
        break;
    }
    return {QColor(0xFF, 0xFF, 0xFF), QColor(0x10, 0x10, 0x10), QColor(0xE3, 0xEE, 0xFA),
            QColor(0xFF, 0xD8, 0x4D), QColor(0x00, 0x00, 0x00)};
}

double contrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace velmor
