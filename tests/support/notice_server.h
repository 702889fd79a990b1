#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace velmor::test {

// An HTTP server of the test's own on 127.0.0.1. It answers every request
// with one canned response, then, when given a stream, keeps sending the
// stream's piece every interval without end; with no response it never
// answers at all.
class NoticeServer : public QObject {
public:
    explicit NoticeServer(QByteArray response) : response_(std::move(response)) {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request_ += socket->readAll();
                    if (!response_.isEmpty() && request_.contains("\r\n\r\n") && !answered_) {
                        answered_ = true;
                        socket->write(response_);
                        startStream(socket);
                    }
                });
            }
        });
    }
    void stream(QByteArray piece, int intervalMs) {
        piece_ = std::move(piece);
        intervalMs_ = intervalMs;
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/update2.5.txt").arg(server_.serverPort());
    }
    const QByteArray& request() const { return request_; }
    qint64 streamed() const { return streamed_; }

    static QByteArray response(const QByteArray& status, const QByteArray& body,
                               const QByteArray& headers = {}) {
        return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\n" + headers +
               "Content-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

private:
    void startStream(QTcpSocket* socket) {
        if (piece_.isEmpty()) {
            socket->disconnectFromHost();
            return;
        }
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [this, socket] {
            if (socket->state() == QAbstractSocket::ConnectedState &&
                socket->bytesToWrite() < (1 << 20)) {
                streamed_ += socket->write(piece_);
            }
        });
        timer->start(intervalMs_);
    }

    QTcpServer server_;
    QByteArray response_;
    QByteArray request_;
    bool answered_ = false;
    QByteArray piece_;
    int intervalMs_ = 0;
    qint64 streamed_ = 0;
};

} // namespace velmor::test
