#pragma once

#include "text_indexes.h"
#include "verify_view.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QWidget>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

namespace velmor {

// The window "التحقق من اقتباس": a box to type or paste into, the
// quotations of the Qur'an in it marked as it changes (checked on a worker
// thread, the newest text winning), the list of what was found, and the
// chosen one set against its aya with the slips marked on both sides.
// Modeless and resizable.
class VerifyWindow : public QWidget {
    Q_OBJECT
public:
    explicit VerifyWindow(std::shared_ptr<verify::TextIndexes> indexes, QWidget* parent = nullptr);
    ~VerifyWindow() override;

    // Checks the text now, waiting for nothing (the tests and a file read).
    void setText(const QString& text);
    const std::vector<verify::Quotation>& quotations() const { return found_; }
    // Whether a check is waiting or running.
    bool checking() const;
    // Chooses a quotation of the list, as a click does.
    void choose(int row);
    // Copies the chosen quotation's aya or ayas, correct, with references.
    void copyCorrect();
    // Reads a UTF-8 text file into the box (at most 1 MiB).
    void openFile(const QString& path);

    // Named for tests and screen readers.
    QPlainTextEdit* input;
    QLabel* statusLine;
    QListWidget* foundList;
    QTextBrowser* detail;
    QPushButton* copyButton;
    QPushButton* openButton;

signals:
    // The reader chose a quotation: the reading window goes to its aya.
    void ayaChosen(qint64 id);
    // The text was checked and its marks set.
    void checked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    void startCheck();
    void showFound(std::vector<verify::Quotation> found);
    void markInput();

    std::shared_ptr<verify::TextIndexes> indexes_;
    std::shared_ptr<const verify::QuotationFinder> finder_;
    QTimer pause_; // a check starts when typing pauses
    QFutureWatcher<std::vector<verify::Quotation>> watcher_;
    quint64 generation_ = 0; // of the text; a check of an older one is dropped
    quint64 running_ = 0;
    bool inFlight_ = false; // a check runs, its result not yet taken
    bool again_ = false;    // the text changed while a check ran
    QString checkedText_;
    std::vector<verify::Quotation> found_;
    VerifyColours colours_;
};

} // namespace velmor
