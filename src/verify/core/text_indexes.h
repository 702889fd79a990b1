#pragma once

#include "quotation_finder.h"
#include "similar_ayas.h"

#include <QString>
#include <memory>

namespace velmor::store {
class Store;
}

namespace velmor::verify {

// The text's words and the indexes over them, made on first use and
// shared by every window of the program (they never change). A failed read
// gives nothing (the store has said why) and is tried again next time.
class TextIndexes {
public:
    TextIndexes(store::Store& store, QString connectionString);

    std::shared_ptr<const QuranWords> words();
    std::shared_ptr<const QuotationFinder> finder();
    std::shared_ptr<const SimilarAyas> similar();

private:
    store::Store& store_;
    QString connectionString_;
    std::shared_ptr<const QuranWords> words_;
    std::shared_ptr<const QuotationFinder> finder_;
    std::shared_ptr<const SimilarAyas> similar_;
};

} // namespace velmor::verify
