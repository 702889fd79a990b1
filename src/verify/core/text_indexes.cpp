#include "text_indexes.h"

#include "log.h"
#include "record_view.h"

namespace velmor::verify {

TextIndexes::TextIndexes(store::Store& store, QString connectionString)
    : store_(store), connectionString_(std::move(connectionString)) {}

std::shared_ptr<const QuranWords> TextIndexes::words() {
    if (!words_) {
        store::RecordView view(store_);
        view.setConnectionString(connectionString_);
        auto read = QuranWords::read(view);
        if (!read) {
            qCWarning(velmorStore) << "the text's words cannot be read:" << read.reason();
            return nullptr;
        }
        words_ = *read;
    }
    return words_;
}

std::shared_ptr<const QuotationFinder> TextIndexes::finder() {
    if (!finder_) {
        if (auto read = words()) {
            finder_ = std::make_shared<const QuotationFinder>(std::move(read));
        }
    }
    return finder_;
}

std::shared_ptr<const SimilarAyas> TextIndexes::similar() {
    if (!similar_) {
        if (auto read = words()) {
            similar_ = std::make_shared<const SimilarAyas>(std::move(read));
        }
    }
    return similar_;
}

} // namespace velmor::verify
