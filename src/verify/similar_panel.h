#pragma once

#include "similar_ayas.h"
#include "verify_view.h"

#include <QWidget>

class QLabel;
class QTextBrowser;

namespace velmor {

// The reading window's tab of the ayas that resemble the current one: each
// with its reference (a link that goes there) and its text, the words that
// differ marked in it and in the current aya.
class SimilarPanel : public QWidget {
    Q_OBJECT
public:
    explicit SimilarPanel(QWidget* parent);

    // Shows the ayas similar to the aya with this ID (nothing when the
    // indexes are missing).
    void showFor(const verify::SimilarAyas* similar, qint64 id);
    int count() const { return count_; }
    // The IDs listed, most similar first.
    const QList<qint64>& listed() const { return listed_; }

    QLabel* heading;
    QTextBrowser* list;

signals:
    void ayaChosen(qint64 id);

private:
    int count_ = 0;
    QList<qint64> listed_;
    VerifyColours colours_;
};

// The tab's title: "المتشابهات", with the count when there are any.
QString similarTabTitle(int count);

} // namespace velmor
