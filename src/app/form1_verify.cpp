// The main window's side of the windows beyond the designed ones that
// read the whole text: the reading window and the check of a quotation.
#include "connection_string.h"
#include "form1.h"
#include "record_view.h"

namespace velmor {

std::shared_ptr<verify::TextIndexes> Form1::textIndexes() {
    if (!textIndexes_) {
        textIndexes_ = std::make_shared<verify::TextIndexes>(
            store_, store::buildConnectionString(programFolder_));
    }
    return textIndexes_;
}

ReaderWindow& Form1::ensureReader(QWidget& beside) {
    if (!reader_) {
        reader_ = new ReaderWindow(store_, store::buildConnectionString(programFolder_),
                                   readerSettingsPath());
        reader_->setMessageBox(
            [this](const QString& title, const QString& text) { messageBox(title, text); });
        reader_->placeBeside(beside);
        reader_->setLibrary(ensureLibrary(), libraryNotice_);
        reader_->setTextIndexes(textIndexes());
        connect(reader_->libraryPanel, &LibraryPanel::searchChosen, this, &Form1::runRecentSearch);
        connect(reader_, &ReaderWindow::researchAsked, this, &Form1::research_Click);
    }
    return *reader_;
}

void Form1::showInReader(qint64 id, QWidget* asking) {
    ReaderWindow& reader = ensureReader(*asking);
    if (reader.isVisible()) {
        reader.follow(id, std::nullopt);
        return;
    }
    reader.openBehind(id);
    asking->raise();
}

void Form1::verify_Click() {
    if (!verify_) {
        verify_ = new VerifyWindow(textIndexes());
        connect(verify_, &VerifyWindow::ayaChosen, this,
                [this](qint64 id) { showInReader(id, verify_); });
    }
    verify_->show();
    verify_->raise();
    verify_->activateWindow();
}

void Form1::research_Click() {
    if (!research_) {
        research_ = new ResearchWindow(
            [this]() -> std::shared_ptr<const research::ResearchIndex> {
                if (!researchIndex_) {
                    store::RecordView view(store_);
                    view.setConnectionString(store::buildConnectionString(programFolder_));
                    if (auto read = research::ResearchIndex::read(view)) {
                        researchIndex_ = *read;
                    }
                }
                return researchIndex_;
            },
            ensureLibrary());
        connect(research_, &ResearchWindow::ayaChosen, this, [this](qint64 id) {
            if (const auto shown = session_.detailsOfAya(id)) {
                showAya(*shown);
            }
            showInReader(id, research_);
        });
    }
    research_->show();
    research_->raise();
    research_->activateWindow();
}

} // namespace velmor
