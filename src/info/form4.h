#pragma once

#include "message_box.h"

#include <QWidget>

class QAction;
namespace velmor {
class FirstShow;
class NoticeFetch;
} // namespace velmor
class QLabel;
class QMenuBar;
class QPlainTextEdit;

namespace velmor {

// The updates window: fetches the update notice each time it is shown and
// shows it as it came (Windows-1256 text). A notice that does not arrive
// within the time-out, or that is larger than a notice can be, leaves the
// box empty; the temporary copy in the program folder never outlives the
// fetch.
class Form4 : public QWidget {
    Q_OBJECT
public:
    Form4(QString programFolder, MessageBox messageBox);
    ~Form4() override;

    static constexpr int kDefaultTimeoutMs = 10000;

    void setTimeoutMs(int milliseconds) { timeoutMs_ = milliseconds; }

    void Form_Load();
    // Starts fetching the notice; runs once, when the window is shown. The
    // notice is shown when it has come; nothing waits for it.
    void Form_Activate();
    void ok_Click();
    void note_Click();
    void gotoweb_Click();

    bool isFetched() const { return fetched_; }

    QMenuBar* menuBar;
    QAction* ok;
    QAction* note;
    QAction* gotoweb;
    QPlainTextEdit* Text1;
    QLabel* waiting;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fetched();
    bool showNotice(const QByteArray& body);

    QString programFolder_;
    MessageBox messageBox_;
    NoticeFetch* fetch_ = nullptr;
    FirstShow* firstShow_;
    int timeoutMs_ = kDefaultTimeoutMs;
    bool fetched_ = false;
};

} // namespace velmor
