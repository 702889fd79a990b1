// The reading window and the ayas that resemble the current one: their tab
// in the side panel, the way there and Alt+Left back; Ctrl+Shift+F asks for
// the advanced search.
#include "reader_window.h"

#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>

namespace velmor {

void ReaderWindow::buildSimilar() {
    indexes_ = std::make_shared<verify::TextIndexes>(store_, connectionString_);
    similarPanel = new SimilarPanel(libraryPanel->tabs);
    libraryPanel->tabs->addTab(similarPanel, similarTabTitle(0));
    connect(similarPanel, &SimilarPanel::ayaChosen, this, &ReaderWindow::goToSimilar);
    connect(libraryPanel->tabs, &QTabWidget::currentChanged, this, [this] { showSimilar(); });
    auto* back = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    connect(back, &QShortcut::activated, this, &ReaderWindow::goBack);
    auto* research = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), this);
    connect(research, &QShortcut::activated, this, &ReaderWindow::researchAsked);
}

void ReaderWindow::setTextIndexes(std::shared_ptr<verify::TextIndexes> indexes) {
    indexes_ = std::move(indexes);
    similarShown_ = 0;
    showSimilar();
}

void ReaderWindow::showSimilar() {
    // The text's words are read, and the similar ayas found, only while the
    // panel can be seen (its tab's title counts them).
    const int at = libraryPanel->tabs->indexOf(similarPanel);
    if (!libraryPanel->isVisible() || session_.current() == 0 ||
        similarShown_ == session_.current()) {
        return;
    }
    similarShown_ = session_.current();
    similarPanel->showFor(indexes_->similar().get(), session_.current());
    libraryPanel->tabs->setTabText(at, similarTabTitle(similarPanel->count()));
}

void ReaderWindow::goToSimilar(qint64 id) {
    const qint64 from = session_.current();
    if (session_.ensureReady() && session_.mushaf().contains(id) && id != from) {
        back_.push_back(from);
        moveTo(id);
    }
}

void ReaderWindow::goBack() {
    if (back_.empty()) {
        return;
    }
    const qint64 id = back_.back();
    back_.pop_back();
    moveTo(id);
}

} // namespace velmor
