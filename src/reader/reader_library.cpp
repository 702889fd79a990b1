// The reading window and the reader's library: the side panel, the marks
// beside the ayas' numbers, the place read last and the library's keys.
#include "reader_window.h"

#include <QEvent>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>

namespace velmor {

QWidget* ReaderWindow::buildSide() {
    sideSplit = new QSplitter(Qt::Horizontal, this);
    sideSplit->setObjectName(QStringLiteral("sideSplit"));
    sideSplit->setChildrenCollapsible(true);
    sideSplit->addWidget(buildSplit());
    libraryPanel = new LibraryPanel(sideSplit);
    sideSplit->addWidget(libraryPanel);
    buildSimilar();
    sideSplit->setStretchFactor(0, 3);
    sideSplit->setStretchFactor(1, 1);
    connect(panelToggle, &QToolButton::toggled, this, &ReaderWindow::showLibraryPanel);
    connect(sideSplit, &QSplitter::splitterMoved, this, [this] {
        const QSignalBlocker quiet(panelToggle);
        panelToggle->setChecked(sideSplit->sizes().value(1) > 0);
    });
    connect(libraryPanel, &LibraryPanel::ayaChosen, this, [this](AyaRef aya) {
        if (const auto id = session_.ensureReady() ? session_.mushaf().idOf(aya) : std::nullopt) {
            moveTo(id);
        }
    });
    connect(libraryPanel, &LibraryPanel::continueReading, this, &ReaderWindow::continueReading);
    connect(libraryPanel, &LibraryPanel::marksChanged, this, &ReaderWindow::markLibrary);
    // The Markdown export quotes each aya: read through a session of its
    // own, made when first needed, so that the window's place stays.
    auto texts = std::make_shared<std::unique_ptr<ReadingSession>>();
    libraryPanel->ayaText = [this, texts](AyaRef aya) {
        if (!*texts) {
            *texts = std::make_unique<ReadingSession>(store_, connectionString_);
        }
        ReadingSession& reading = **texts;
        const auto id = reading.ensureReady() ? reading.mushaf().idOf(aya) : std::nullopt;
        if (!id) {
            return QString();
        }
        reading.goTo(*id);
        return reading.ayaText();
    };
    lastReadTimer_.setSingleShot(true);
    lastReadTimer_.setInterval(1000);
    connect(&lastReadTimer_, &QTimer::timeout, this, &ReaderWindow::keepLastRead);
    return sideSplit;
}

void ReaderWindow::bindLibraryKeys() {
    const auto bind = [this](const QKeySequence& keys, auto slot) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { libraryPanel->toggleBookmark(); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_E), [this] {
        showLibraryPanel(true);
        libraryPanel->editNote();
    });
    bind(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
         [this] { showLibraryPanel(!libraryPanel->isVisible()); });
}

void ReaderWindow::showLibraryPanel(bool shown) {
    libraryPanel->setVisible(shown);
    if (shown && sideSplit->sizes().value(1) == 0) {
        const int total = std::max(sideSplit->width(), 4);
        sideSplit->setSizes({total * 2 / 3, total / 3});
    }
    const QSignalBlocker quiet(panelToggle);
    panelToggle->setChecked(shown);
    showSimilar();
    // The text's width changed: the current aya comes back into view once
    // it is laid out again.
    QTimer::singleShot(0, this, [this] { scrollToCurrent(); });
}

void ReaderWindow::setLibrary(library::Library* library, const QString& notice) {
    library_ = library;
    libraryPanel->setLibrary(library, notice);
    if (library_ != nullptr && !library_->readOnly() && preferences_.lastAya &&
        session_.ensureReady() && session_.mushaf().contains(*preferences_.lastAya)) {
        // The settings file kept it before the library did: moved once.
        const Outcome<std::optional<AyaRef>> kept = library_->lastRead();
        const AyaPlace& place = session_.mushaf().place(*preferences_.lastAya);
        if (kept && (*kept || library_->setLastRead({place.sura, place.aya}))) {
            preferences_.lastAya.reset();
        }
    }
    if (session_.current() != 0) {
        const AyaPlace& place = session_.place();
        libraryPanel->setCurrentAya({place.sura, place.aya});
    }
    markLibrary();
}

std::optional<qint64> ReaderWindow::lastReadId() {
    if (!session_.ensureReady()) {
        return std::nullopt;
    }
    if (library_ != nullptr) {
        const auto kept = library_->lastRead();
        if (kept && *kept) {
            return session_.mushaf().idOf(**kept);
        }
    }
    return preferences_.lastAya.value_or(1);
}

void ReaderWindow::continueReading() {
    if (const auto id = lastReadId()) {
        moveTo(id);
        scripture->setFocus(Qt::OtherFocusReason);
    }
}

void ReaderWindow::keepLastRead() {
    lastReadTimer_.stop();
    if (library_ == nullptr || library_->readOnly() || session_.current() == 0) {
        return;
    }
    const AyaPlace& place = session_.place();
    if (const Done kept = library_->setLastRead({place.sura, place.aya}); !kept) {
        say(kept.reason());
    }
}

void ReaderWindow::markLibrary() {
    const SuraText& sura = session_.sura();
    if (library_ == nullptr || sura.sura == 0) {
        scripture->setAyaMarks({});
        return;
    }
    const auto marks = library_->marksOfSura(sura.sura);
    if (!marks) {
        say(marks.reason());
        return;
    }
    std::vector<ScriptureView::AyaMark> shown;
    for (const library::AyaMarks& mark : *marks) {
        const std::size_t k = static_cast<std::size_t>(mark.aya - 1);
        if (k < sura.placed.size()) {
            const SuraText::Placed& placed = sura.placed[k];
            shown.push_back({placed.markerStart, placed.markerLength,
                             mark.color.isEmpty() ? QColor() : QColor(mark.color), mark.note});
        }
    }
    scripture->setAyaMarks(std::move(shown));
}

void ReaderWindow::changeEvent(QEvent* event) {
    // What the command line or another window changed shows when the
    // reader comes back to this one.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && library_ != nullptr &&
        library_->changedElsewhere()) {
        libraryPanel->reload();
        markLibrary();
    }
    QWidget::changeEvent(event);
}

} // namespace velmor
