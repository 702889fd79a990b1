#pragma once

#include "outcome.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <map>
#include <memory>

class QSocketNotifier;

namespace velmor {

// How far a server may take the fetch of the update notice.
struct NoticeLimits {
    int timeoutMs = 10000; // the whole fetch, redirections included
    int maxRedirects = 5;  // never from https down to http
    qint64 maxBodyBytes = 1 << 20;
    qint64 maxHeadBytes = 64 << 10; // every head of an answer, interim ones included
};

// Fetches the update notice with libcurl, driven by the event loop that owns
// it: libcurl's sockets are watched by socket notifiers and its time-outs
// by a timer, so nothing blocks, nothing nests an event loop and no thread
// is left behind. finished() is emitted once, when the body has arrived
// whole or the fetch has failed; destroying the object (or cancel()) ends a
// fetch at once and emits nothing.
class NoticeFetch : public QObject {
    Q_OBJECT
public:
    explicit NoticeFetch(NoticeLimits limits = {}, QObject* parent = nullptr);
    ~NoticeFetch() override;
    NoticeFetch(const NoticeFetch&) = delete;
    NoticeFetch& operator=(const NoticeFetch&) = delete;

    void start(const QUrl& address);
    void cancel();
    bool isRunning() const { return easy_ != nullptr; }

    // Once finished: the whole body as the server sent it (an error page
    // that came whole too), or why there is none.
    const Outcome<QByteArray>& result() const { return result_; }

signals:
    void finished();

private:
    struct Watch;
    struct Head;

    static int onSocket(void* easy, int socket, int what, void* self, void* socketData);
    static int onTimer(void* multi, long timeoutMs, void* self);
    static size_t onBody(char* data, size_t size, size_t count, void* self);
    static size_t onHeader(char* data, size_t size, size_t count, void* self);

    void watch(int socket, int what);
    void act(int socket, int events);
    void takeDone();
    void hop(const QUrl& address);
    void finish(Outcome<QByteArray> result);
    void endTransfer();
    [[nodiscard]] Outcome<QUrl> nextHop(const QUrl& current) const;

    NoticeLimits limits_;
    void* multi_ = nullptr;
    void* easy_ = nullptr;
    QTimer timer_;
    QTimer deadline_;
    std::map<int, std::unique_ptr<Watch>> watches_;
    std::unique_ptr<Head> head_;
    QUrl address_;
    QByteArray encodedAddress_;
    QByteArray body_;
    QString bodyRefusal_;
    int redirects_ = 0;
    bool secureSoFar_ = false;
    Outcome<QByteArray> result_ = Outcome<QByteArray>::failed(QStringLiteral("not fetched"));
};

} // namespace velmor
