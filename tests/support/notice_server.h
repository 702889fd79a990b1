#pragma once

#include <QTcpServer>
#include <QTcpSocket>

namespace velmor::test {

// An HTTP server of the test's own on 127.0.0.1 that answers every request
// with one canned response (or, when silent, never answers).
class NoticeServer : public QObject {
public:
    explicit NoticeServer(QByteArray response, bool silent = false)
        : response_(std::move(response)), silent_(silent) {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request_ += socket->readAll();
                    if (!silent_ && request_.contains("\r\n\r\n")) {
                        socket->write(response_);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/update2.5.txt").arg(server_.serverPort());
    }
    const QByteArray& request() const { return request_; }

    static QByteArray response(const QByteArray& status, const QByteArray& body) {
        return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

private:
    QTcpServer server_;
    QByteArray response_;
    QByteArray request_;
    bool silent_;
};

} // namespace velmor::test
