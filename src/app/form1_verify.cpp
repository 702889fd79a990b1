// The main window's side of the windows beyond the designed ones that
// read the whole text: the reading window and the check of a quotation.
#include "connection_string.h"
#include "form1.h"

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

} // namespace velmor
