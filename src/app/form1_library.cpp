// The main window and the reader's library: opened after the window shows,
// each search kept in the history, a search from it run again.
#include "form1.h"
#include "form6.h"
#include "log.h"
#include "search_scope.h"

#include <QLineEdit>

namespace velmor {

library::Library* Form1::ensureLibrary() {
    if (!libraryOpened_) {
        libraryOpened_ = true;
        library::Library::Opened opened = library::Library::open(library::Library::defaultPath());
        library_ = std::move(opened.library);
        libraryNotice_ = opened.notice;
        if (library_ != nullptr && !library_->readOnly()) {
            const Outcome<bool> copied =
                library::backUpDaily(library_->handle(), library_->path(), QDate::currentDate());
            if (!copied) {
                qCInfo(velmorLibrary) << copied.reason();
            }
        }
        if (!libraryNotice_.isEmpty()) {
            messageBox(applicationTitle(), libraryNotice_);
        }
    }
    return library_.get();
}

void Form1::keepSearch(const QString& text, const SearchOptions& options) {
    library::Library* library = ensureLibrary();
    if (library == nullptr || library->readOnly()) {
        return; // said when it was opened
    }
    const Done kept =
        library->recordSearch({text, !options.wholeWord, library::scopeKey(options), {}});
    if (!kept && !libraryFailureSaid_) {
        libraryFailureSaid_ = true;
        messageBox(applicationTitle(), kept.reason());
    }
    if (kept && reader_) {
        reader_->libraryPanel->reload();
    }
}

void Form1::runRecentSearch(const library::RecentSearch& recent) {
    const auto options = library::searchOptionsOf(recent.scope, recent.partial);
    if (!options) {
        return;
    }
    ensureForm6().setSearchOptions(*options);
    state_.searchscope = static_cast<qint16>(options->scope);
    searcht->setText(recent.text);
    max_Click();
    search_Click();
}

} // namespace velmor
