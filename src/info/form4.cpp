#include "form4.h"

#include "addresses.h"
#include "first_show.h"
#include "fonts.h"
#include "settings_file.h"
#include "text_boxes.h"
#include "window_parts.h"
#include "window_placement.h"
#include "windows1256.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace velmor {

namespace {
// The program's one manager, kept by the application rather than by the
// window. A server that sends its headers faster than they are read keeps
// the manager's transfer thread busy after the fetch has given up, and
// destroying a manager waits up to 5 s for that thread: no closing of the
// window may wait on it.
QNetworkAccessManager& programNetwork() {
    QObject* application = QCoreApplication::instance();
    const auto name = QStringLiteral("updatesNetwork");
    auto* network =
        application->findChild<QNetworkAccessManager*>(name, Qt::FindDirectChildrenOnly);
    if (!network) {
        network = new QNetworkAccessManager(application);
        network->setObjectName(name);
    }
    return *network;
}
} // namespace

Form4::Form4(QString programFolder, MessageBox messageBox)
    : QWidget(nullptr), programFolder_(std::move(programFolder)),
      messageBox_(std::move(messageBox)), network_(programNetwork()),
      firstShow_(new FirstShow(*this, [this] { Form_Activate(); })) {
    prepareFixedWindow(*this, "Form4", QStringLiteral("آخر التحديثات"), QSize(420, 300));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    menuBar = new QMenuBar(this);
    ok = menuBar->addAction(QStringLiteral("موافق"));
    ok->setObjectName(QStringLiteral("ok"));
    note = menuBar->addAction(QStringLiteral("ملاحظات"));
    note->setObjectName(QStringLiteral("note"));
    gotoweb = menuBar->addAction(QStringLiteral("وصلة تهمك"));
    gotoweb->setObjectName(QStringLiteral("gotoweb"));
    layout->setMenuBar(menuBar);
    Text1 = makeReadOnlyTextBox(this, "Text1", designedDisplayFont(), Qt::AlignHCenter);
    Text1->setAccessibleName(windowTitle());
    layout->addWidget(Text1);
    // Says that the notice is on its way, below the notice's box.
    waiting = new QLabel(QStringLiteral("جارٍ جلب آخر التحديثات..."), this);
    waiting->setObjectName(QStringLiteral("waiting"));
    waiting->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    waiting->setContentsMargins(6, 2, 6, 2);
    waiting->hide();
    layout->addWidget(waiting);

    connect(ok, &QAction::triggered, this, &Form4::ok_Click);
    connect(note, &QAction::triggered, this, &Form4::note_Click);
    connect(gotoweb, &QAction::triggered, this, &Form4::gotoweb_Click);
}

Form4::~Form4() {
    if (waiting_) {
        waiting_->quit();
    }
}

void Form4::Form_Load() {
    centreOnScreen(*this);
}

void Form4::closeEvent(QCloseEvent* event) {
    // A fetch under way is abandoned; its wait ends at once.
    if (reply_) {
        reply_->abort();
    }
    if (waiting_) {
        waiting_->quit();
    }
    QWidget::closeEvent(event);
}

namespace {
// No error, or an HTTP status the server sent with a whole body of its own
// (4xx, 5xx); the network, proxy and protocol errors leave a body cut short.
bool isWholeAnswer(QNetworkReply::NetworkError error) {
    return error == QNetworkReply::NoError ||
           (error >= QNetworkReply::ContentAccessDenied &&
            error <= QNetworkReply::UnknownContentError) ||
           (error >= QNetworkReply::InternalServerError &&
            error <= QNetworkReply::UnknownServerError);
}
} // namespace

std::optional<QByteArray> Form4::fetch() {
    QNetworkRequest request{QUrl(updateAddress())};
    request.setTransferTimeout(timeoutMs_);
    QNetworkReply* reply = network_.get(request);
    reply_ = reply;
    // Qt holds no more than this much unread; the body is taken as it comes
    // and the transfer ends the moment it passes the limit (counted as
    // decoded, whatever the transfer or content encoding).
    reply->setReadBufferSize(kReadChunkBytes);
    QByteArray body;
    bool oversized = false;
    const auto take = [reply, &body, &oversized] {
        body += reply->read(kMaxNoticeBytes + 1 - body.size());
        if (body.size() > kMaxNoticeBytes ||
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > kMaxNoticeBytes) {
            oversized = true;
            reply->abort();
        }
    };
    connect(reply, &QNetworkReply::readyRead, this, take);
    // The whole transfer has one limit, however slowly the body trickles.
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline.start(timeoutMs_);
    // The window keeps painting while the notice is on its way.
    QEventLoop loop;
    waiting_ = &loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        loop.exec();
    }
    if (!oversized && reply->error() != QNetworkReply::OperationCanceledError) {
        take();
    }
    // A whole body is the notice, an error page too (the server answered in
    // full); a request that failed, was cut short, timed out, was too large
    // or was abandoned gives nothing.
    const bool complete =
        !oversized && !firstShow_->windowClosed() && isWholeAnswer(reply->error());
    reply->disconnect(this);
    reply->deleteLater();
    return complete ? std::optional<QByteArray>(body) : std::nullopt;
}

void Form4::Form_Activate() {
    if (fetched_ || firstShow_->windowClosed()) {
        return;
    }
    QPointer<Form4> self(this);
    waiting->show();
    setCursor(Qt::BusyCursor);
    const std::optional<QByteArray> body = fetch();
    if (self.isNull() || firstShow_->windowClosed()) {
        return;
    }
    unsetCursor();
    fetched_ = true;
    // Text1 stays empty on a failure, as designed; the line below it says why.
    if (!body) {
        waiting->setText(QStringLiteral("تعذر جلب نص التحديث. اختر \"ملاحظات\" لمعرفة السبب."));
    } else if (!showNotice(*body)) {
        waiting->setText(QStringLiteral("تعذر حفظ نص التحديث في ملف مؤقت."));
    } else {
        waiting->hide();
    }
}

bool Form4::showNotice(const QByteArray& body) {
    // The notice passes through a file of its own, created afresh under a
    // name nobody else holds (a file or link the user keeps there is never
    // touched), in the program folder when it can be written and the copy is
    // not installed (else the temporary folder), and removed
    // whatever happens to it.
    const QString folder =
        QFileInfo(programFolder_).isWritable() && !settings::isInstalledCopy(programFolder_)
            ? programFolder_
            : QDir::tempPath();
    QTemporaryFile file(QDir(folder).filePath(QStringLiteral("update2.5.txt.XXXXXX")));
    if (!file.open() || file.write(body) != body.size() || !file.flush() || !file.seek(0)) {
        return false;
    }
    Text1->setPlainText(noticeForDisplay(decodeWindows1256(file.readAll())));
    return true;
}

void Form4::ok_Click() {
    close();
}

void Form4::note_Click() {
    messageBox_(applicationTitle(),
                QStringLiteral(
                    "في حال كان نص التحديث غريبا أو فارغ فيعود السبب  لأحد هذه النقاط , 1- لم تتصل "
                    "بالإنترنت , 2- موقع التحديث مغلق "));
}

void Form4::gotoweb_Click() {
    if (!QDesktopServices::openUrl(QUrl(webAddress()))) {
        messageBox_(applicationTitle(),
                    QStringLiteral("تعذر فتح المتصفح لعرض موقع البرنامج: ") + webAddress());
    }
}

} // namespace velmor
