#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <arpa/inet.h>
#include <atomic>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

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
                        if (dripMs_ > 0) {
                            startDrip(socket);
                            return;
                        }
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
    // The response goes out one byte every interval.
    void drip(int intervalMs) { dripMs_ = intervalMs; }
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
    void startDrip(QTcpSocket* socket) {
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [this, socket, timer] {
            if (dripped_ < response_.size()) {
                socket->write(response_.mid(dripped_++, 1));
            } else {
                timer->stop();
                socket->disconnectFromHost();
            }
        });
        timer->start(dripMs_);
    }
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
    int dripMs_ = 0;
    qsizetype dripped_ = 0;
};

// A socket listening on 127.0.0.1 at a port of the system's choosing.
inline int listenOnLoopback(int& port) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(listener, reinterpret_cast<sockaddr*>(&address), size);
    ::listen(listener, 4);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return listener;
}

// A server on a thread of its own that answers one request with its bytes,
// then resets the connection (RST, not an orderly end).
class ResetServer {
public:
    explicit ResetServer(QByteArray answer) : listener_(listenOnLoopback(port_)) {
        thread_ = std::thread([this, answer = std::move(answer)] {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0) {
                return;
            }
            char request[4096];
            if (::recv(client, request, sizeof request, 0) > 0) {
                ::send(client, answer.constData(), answer.size(), MSG_NOSIGNAL);
                // The reset comes once the client has every byte (its side
                // has acknowledged them all).
                int unacknowledged = 1;
                while (unacknowledged > 0 && ::ioctl(client, SIOCOUTQ, &unacknowledged) == 0) {
                    std::this_thread::yield();
                }
            }
            const linger reset{1, 0};
            ::setsockopt(client, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            ::close(client);
        });
    }
    ~ResetServer() {
        ::shutdown(listener_, SHUT_RDWR);
        thread_.join();
        ::close(listener_);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/update2.5.txt").arg(port_); }

private:
    int port_ = 0; // set as the listener is made, so declared before it
    int listener_;
    std::thread thread_;
};

// A server on a thread of its own that answers one request with a head,
// then sends its piece again and again as fast as the connection takes it,
// until it is destroyed: faster than a reader taking a byte at a time keeps
// up with.
class FloodServer {
public:
    FloodServer(QByteArray head, QByteArray piece) : listener_(listenOnLoopback(port_)) {
        thread_ = std::thread([this, head = std::move(head), piece = std::move(piece)] {
            client_ = ::accept(listener_, nullptr, nullptr);
            char request[4096];
            bool open = client_ >= 0 && ::recv(client_, request, sizeof request, 0) > 0 &&
                        ::send(client_, head.constData(), head.size(), MSG_NOSIGNAL) > 0;
            while (open && !stopped_) {
                open = ::send(client_, piece.constData(), piece.size(), MSG_NOSIGNAL) > 0;
            }
        });
    }
    ~FloodServer() {
        stopped_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        if (client_ >= 0) {
            ::shutdown(client_, SHUT_RDWR);
        }
        thread_.join();
        ::close(listener_);
        if (client_ >= 0) {
            ::close(client_);
        }
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/update2.5.txt").arg(port_); }

private:
    int port_ = 0; // set as the listener is made, so declared before it
    int listener_;
    std::atomic<int> client_ = -1;
    std::atomic<bool> stopped_ = false;
    std::thread thread_;
};

} // namespace velmor::test
