#pragma once

#include "message_box.h"

#include <QPointer>
#include <QWidget>
#include <optional>

class QAction;
namespace velmor {
class FirstShow;
class HttpResponse;
} // namespace velmor
class QEventLoop;
class QLabel;
class QMenuBar;
class QDeadlineTimer;
class QPlainTextEdit;
class QTcpSocket;
class QUrl;

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
    static constexpr qint64 kMaxNoticeBytes = 1 << 20;
    static constexpr qint64 kReadChunkBytes = 64 << 10;

    void setTimeoutMs(int milliseconds) { timeoutMs_ = milliseconds; }

    void Form_Load();
    // Fetches and shows the notice; runs once, when the window is shown.
    void Form_Activate();
    void ok_Click();
    void note_Click();
    void gotoweb_Click();

    bool isFetched() const { return fetched_; }
    // The notice as decoded, with its own line breaks.

    QMenuBar* menuBar;
    QAction* ok;
    QAction* note;
    QAction* gotoweb;
    QPlainTextEdit* Text1;
    QLabel* waiting;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::optional<QByteArray> fetch();
    // One request and its response, until the response is whole or fails,
    // the deadline passes or the window closes; true when it is whole.
    bool exchange(const QUrl& address, HttpResponse& response, const QDeadlineTimer& deadline);
    bool showNotice(const QByteArray& body);

    QString programFolder_;
    MessageBox messageBox_;
    QPointer<QTcpSocket> socket_;
    QPointer<QEventLoop> waiting_;
    FirstShow* firstShow_;
    int timeoutMs_ = kDefaultTimeoutMs;
    bool fetched_ = false;
};

} // namespace velmor
