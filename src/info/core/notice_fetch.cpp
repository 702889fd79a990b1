#include "notice_fetch.h"

#include "log.h"

#include <QSocketNotifier>
#include <curl/curl.h>
#include <mutex>

namespace velmor {

namespace {

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool isFetchable(const QUrl& address) {
    return address.isValid() && !address.host().isEmpty() &&
           (address.scheme() == u"http" || address.scheme() == u"https");
}

// A header's value when the line names it (names compare without case).
std::optional<QByteArray> headerValue(const QByteArray& line, const QByteArray& name) {
    if (line.size() <= name.size() || line[name.size()] != ':' ||
        line.left(name.size()).toLower() != name) {
        return std::nullopt;
    }
    return line.mid(name.size() + 1).trimmed();
}

} // namespace

// The two notifiers of one of libcurl's sockets, children of the fetch.
struct NoticeFetch::Watch {
    QSocketNotifier* read = nullptr;
    QSocketNotifier* write = nullptr;
};

namespace {
// A notifier may be the one whose signal is being delivered: it is disabled
// now and deleted on a later turn (or with the fetch).
void retire(QSocketNotifier*& notifier) {
    if (notifier != nullptr) {
        notifier->setEnabled(false);
        notifier->deleteLater();
        notifier = nullptr;
    }
}
} // namespace

// What the heads of one answer said that libcurl does not refuse itself.
struct NoticeFetch::Head {
    qint64 bytes = 0; // every head of the exchange, interim answers included
    QByteArray length;
    QByteArray transferEncoding;
    QByteArray contentEncoding;
    QString refusal;
};

NoticeFetch::NoticeFetch(NoticeLimits limits, QObject* parent) : QObject(parent), limits_(limits) {
    initialiseOnce();
    multi_ = curl_multi_init();
    curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &NoticeFetch::onSocket);
    curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &NoticeFetch::onTimer);
    curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        finish(Outcome<QByteArray>::failed(
            QStringLiteral("no whole answer within %1 ms").arg(limits_.timeoutMs)));
    });
}

NoticeFetch::~NoticeFetch() {
    endTransfer();
    curl_multi_cleanup(multi_);
}

void NoticeFetch::start(const QUrl& address) {
    cancel();
    redirects_ = 0;
    secureSoFar_ = false;
    deadline_.start(limits_.timeoutMs);
    if (!isFetchable(address)) {
        // Said on the next turn, as any other ending is.
        QTimer::singleShot(0, this, [this, address] {
            finish(Outcome<QByteArray>::failed(QStringLiteral("not an http or https address: ") +
                                               address.toString()));
        });
        return;
    }
    hop(address);
}

void NoticeFetch::cancel() {
    endTransfer();
    deadline_.stop();
}

void NoticeFetch::hop(const QUrl& address) {
    endTransfer();
    address_ = address;
    secureSoFar_ = secureSoFar_ || address.scheme() == u"https";
    // The host goes out in its ASCII form (an IDN host as punycode).
    encodedAddress_ = address.toEncoded();
    body_.clear();
    bodyRefusal_.clear();
    head_ = std::make_unique<Head>();
    easy_ = curl_easy_init();
    curl_easy_setopt(easy_, CURLOPT_URL, encodedAddress_.constData());
    // Redirections are followed here, one hop at a time, so each is checked.
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, secureSoFar_ ? "https" : "http,https");
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, "Velmor");
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    // A transfer abandoned while its name is being looked up leaves the
    // resolver to end on its own; nothing waits for it.
    curl_easy_setopt(easy_, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(easy_, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits_.maxBodyBytes));
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &NoticeFetch::onBody);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &NoticeFetch::onHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PRIVATE, this);
    curl_multi_add_handle(multi_, easy_);
}

void NoticeFetch::endTransfer() {
    timer_.stop();
    if (easy_ != nullptr) {
        curl_multi_remove_handle(multi_, easy_);
        curl_easy_cleanup(easy_);
        easy_ = nullptr;
    }
    for (auto& [socket, watch] : watches_) {
        retire(watch->read);
        retire(watch->write);
    }
    watches_.clear();
}

int NoticeFetch::onSocket(void* /*easy*/, int socket, int what, void* self, void* /*socketData*/) {
    static_cast<NoticeFetch*>(self)->watch(socket, what);
    return 0;
}

void NoticeFetch::watch(int socket, int what) {
    if (what == CURL_POLL_REMOVE) {
        if (auto found = watches_.find(socket); found != watches_.end()) {
            retire(found->second->read);
            retire(found->second->write);
            watches_.erase(found);
        }
        return;
    }
    std::unique_ptr<Watch>& watch = watches_[socket];
    if (!watch) {
        watch = std::make_unique<Watch>();
    }
    const auto want = [&](QSocketNotifier*& notifier, QSocketNotifier::Type type, bool wanted,
                          int events) {
        if (!wanted) {
            retire(notifier);
        } else if (notifier == nullptr) {
            notifier = new QSocketNotifier(qintptr(socket), type, this);
            connect(notifier, &QSocketNotifier::activated, this,
                    [this, socket, events] { act(socket, events); });
        }
    };
    want(watch->read, QSocketNotifier::Read, what == CURL_POLL_IN || what == CURL_POLL_INOUT,
         CURL_CSELECT_IN);
    want(watch->write, QSocketNotifier::Write, what == CURL_POLL_OUT || what == CURL_POLL_INOUT,
         CURL_CSELECT_OUT);
}

int NoticeFetch::onTimer(void* /*multi*/, long timeoutMs, void* self) {
    auto* fetch = static_cast<NoticeFetch*>(self);
    if (timeoutMs < 0) {
        fetch->timer_.stop();
    } else {
        fetch->timer_.start(int(timeoutMs));
    }
    return 0;
}

void NoticeFetch::act(int socket, int events) {
    if (easy_ == nullptr) {
        return;
    }
    int running = 0;
    curl_multi_socket_action(multi_, curl_socket_t(socket), events, &running);
    takeDone();
}

size_t NoticeFetch::onBody(char* data, size_t size, size_t count, void* self) {
    auto* fetch = static_cast<NoticeFetch*>(self);
    const qint64 bytes = qint64(size) * qint64(count);
    // Whatever the server declared, no more than a notice can be.
    if (fetch->body_.size() + bytes > fetch->limits_.maxBodyBytes) {
        fetch->bodyRefusal_ =
            QStringLiteral("the body passed %1 bytes").arg(fetch->limits_.maxBodyBytes);
        return 0;
    }
    fetch->body_.append(data, qsizetype(bytes));
    return size * count;
}

size_t NoticeFetch::onHeader(char* data, size_t size, size_t count, void* self) {
    auto* fetch = static_cast<NoticeFetch*>(self);
    Head& head = *fetch->head_;
    const qint64 bytes = qint64(size) * qint64(count);
    head.bytes += bytes;
    if (head.bytes > fetch->limits_.maxHeadBytes) {
        head.refusal = QStringLiteral("the heads passed %1 bytes").arg(fetch->limits_.maxHeadBytes);
        return 0;
    }
    const QByteArray line = QByteArray(data, qsizetype(bytes)).trimmed();
    if (line.startsWith("HTTP/")) {
        // A new answer (after an interim one): its own headers count.
        const qint64 seen = head.bytes;
        head = Head{};
        head.bytes = seen;
        return size * count;
    }
    if (const auto lengths = headerValue(line, "content-length")) {
        // The same length said twice is one length; two different ones are
        // no length at all.
        for (const QByteArray& length : lengths->split(',')) {
            if (!head.length.isEmpty() && head.length != length.trimmed()) {
                head.refusal = QStringLiteral("two different lengths: ") +
                               QString::fromLatin1(head.length + " and " + length.trimmed());
                return 0;
            }
            head.length = length.trimmed();
        }
    } else if (const auto transfer = headerValue(line, "transfer-encoding")) {
        head.transferEncoding += (head.transferEncoding.isEmpty() ? "" : ",") + transfer->toLower();
        // Only chunks, or nothing: any other coding is not the notice as sent.
        if (QByteArray(head.transferEncoding).replace(' ', "") != "chunked") {
            head.refusal = QStringLiteral("a transfer coding other than chunked: ") +
                           QString::fromLatin1(head.transferEncoding);
            return 0;
        }
    } else if (const auto content = headerValue(line, "content-encoding")) {
        // The request asks for the body as it is; an encoded one is not it.
        if (content->toLower() != "identity") {
            head.refusal = QStringLiteral("an encoded body: ") + QString::fromLatin1(*content);
            return 0;
        }
    }
    return size * count;
}

void NoticeFetch::takeDone() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg != CURLMSG_DONE || message->easy_handle != easy_) {
            continue;
        }
        const CURLcode code = message->data.result;
        if (code != CURLE_OK) {
            QString reason = QString::fromUtf8(curl_easy_strerror(code));
            if (!head_->refusal.isEmpty()) {
                reason = head_->refusal;
            } else if (!bodyRefusal_.isEmpty()) {
                reason = bodyRefusal_;
            }
            finish(Outcome<QByteArray>::failed(reason));
            return;
        }
        long status = 0;
        curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
        if (status / 100 == 3) {
            Outcome<QUrl> next = nextHop(address_);
            if (!next) {
                finish(Outcome<QByteArray>::failed(next.reason()));
                return;
            }
            ++redirects_;
            hop(*next);
            return;
        }
        // A whole body is the notice, an error page too (the server answered
        // in full).
        if (status / 100 == 2 || status / 100 == 4 || status / 100 == 5) {
            finish(QByteArray(body_));
        } else {
            finish(Outcome<QByteArray>::failed(QStringLiteral("status %1").arg(status)));
        }
        return;
    }
}

Outcome<QUrl> NoticeFetch::nextHop(const QUrl& current) const {
    char* location = nullptr;
    curl_easy_getinfo(easy_, CURLINFO_REDIRECT_URL, &location);
    if (location == nullptr || *location == 0) {
        return Outcome<QUrl>::failed(QStringLiteral("a redirection without a place to go"));
    }
    const QUrl next = current.resolved(QUrl::fromEncoded(location));
    if (redirects_ >= limits_.maxRedirects) {
        return Outcome<QUrl>::failed(
            QStringLiteral("more than %1 redirections").arg(limits_.maxRedirects));
    }
    if (!isFetchable(next) || (secureSoFar_ && next.scheme() != u"https")) {
        return Outcome<QUrl>::failed(QStringLiteral("a redirection refused: ") + next.toString());
    }
    return next;
}

void NoticeFetch::finish(Outcome<QByteArray> result) {
    cancel();
    if (!result) {
        qCInfo(velmorUpdate) << "the notice was not fetched from" << address_.toString() << ":"
                             << result.reason();
    }
    result_ = std::move(result);
    body_.clear();
    // Nothing is touched after: the receiver may let this object go (with
    // deleteLater, since the signal may come from one of its notifiers).
    emit finished();
}

} // namespace velmor
