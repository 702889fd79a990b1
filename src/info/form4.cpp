#include "form4.h"

#include "addresses.h"
#include "first_show.h"
#include "fonts.h"
#include "http_response.h"
#include "settings_file.h"
#include "text_boxes.h"
#include "window_parts.h"
#include "window_placement.h"
#include "windows1256.h"

#include <QAction>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSslSocket>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <memory>

namespace velmor {

namespace {
constexpr int kMaxRedirects = 5;

// GET for the address's path, asking for the body as it is (no encoding)
// and for the connection to end with it.
QByteArray requestFor(const QUrl& address) {
    QByteArray target = address.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) {
        target = "/";
    }
    if (address.hasQuery()) {
        target += '?' + address.query(QUrl::FullyEncoded).toLatin1();
    }
    const QByteArray host = address.adjusted(QUrl::RemoveUserInfo).authority().toLatin1();
    return "GET " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nUser-Agent: Velmor\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";
}

bool isFetchable(const QUrl& address) {
    return address.isValid() && !address.host().isEmpty() &&
           (address.scheme() == u"http" || address.scheme() == u"https");
}
} // namespace

Form4::Form4(QString programFolder, MessageBox messageBox)
    : QWidget(nullptr), programFolder_(std::move(programFolder)),
      messageBox_(std::move(messageBox)),
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
    if (socket_) {
        socket_->abort();
    }
    if (waiting_) {
        waiting_->quit();
    }
    QWidget::closeEvent(event);
}

std::optional<QByteArray> Form4::fetch() {
    // The whole fetch, redirections included, has one limit.
    const QDeadlineTimer deadline(timeoutMs_);
    QUrl address(updateAddress());
    for (int redirect = 0; redirect <= kMaxRedirects && isFetchable(address); ++redirect) {
        HttpResponse response(kMaxNoticeBytes);
        if (!exchange(address, response, deadline)) {
            return std::nullopt;
        }
        const int kind = response.status() / 100;
        if (kind == 3) {
            const QUrl next = address.resolved(QUrl::fromEncoded(response.location()));
            // Never from https down to http.
            if (response.location().isEmpty() ||
                (address.scheme() == u"https" && next.scheme() != u"https")) {
                return std::nullopt;
            }
            address = next;
            continue;
        }
        // A whole body is the notice, an error page too (the server answered
        // in full).
        if (kind == 2 || kind == 4 || kind == 5) {
            return response.body();
        }
        return std::nullopt;
    }
    return std::nullopt;
}

bool Form4::exchange(const QUrl& address, HttpResponse& response, const QDeadlineTimer& deadline) {
    const bool secure = address.scheme() == u"https";
    std::unique_ptr<QTcpSocket> socket =
        secure ? std::make_unique<QSslSocket>() : std::make_unique<QTcpSocket>();
    socket_ = socket.get();
    // Qt holds no more than this much unread; what comes is read at once,
    // and the exchange ends the moment the response passes a limit.
    socket->setReadBufferSize(kReadChunkBytes);
    QEventLoop loop;
    waiting_ = &loop;
    const auto take = [&] {
        // A connection that never opened has nothing to read.
        if (socket->isOpen() && response.read(socket->readAll()) != HttpResponse::State::Reading) {
            loop.quit();
        }
    };
    const auto send = [&] { socket->write(requestFor(address)); };
    if (secure) {
        connect(static_cast<QSslSocket*>(socket.get()), &QSslSocket::encrypted, &loop, send);
    } else {
        connect(socket.get(), &QTcpSocket::connected, &loop, send);
    }
    connect(socket.get(), &QIODevice::readyRead, &loop, take);
    connect(socket.get(), &QAbstractSocket::disconnected, &loop, [&] {
        take();
        response.end();
        loop.quit();
    });
    connect(socket.get(), &QAbstractSocket::errorOccurred, &loop,
            [&](QAbstractSocket::SocketError error) {
                if (error != QAbstractSocket::RemoteHostClosedError) {
                    loop.quit();
                }
            });
    QTimer::singleShot(deadline.remainingTime(), &loop, &QEventLoop::quit);
    const auto port = quint16(address.port(secure ? 443 : 80));
    if (secure) {
        static_cast<QSslSocket*>(socket.get())->connectToHostEncrypted(address.host(), port);
    } else {
        socket->connectToHost(address.host(), port);
    }
    if (!deadline.hasExpired()) {
        loop.exec();
    }
    socket->disconnect(&loop);
    socket->abort();
    return response.state() == HttpResponse::State::Complete && !firstShow_->windowClosed();
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
