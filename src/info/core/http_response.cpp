#include "http_response.h"

#include <QList>
#include <algorithm>

namespace velmor {

HttpResponse::State HttpResponse::read(QByteArrayView bytes) {
    if (state_ != State::Reading) {
        return state_;
    }
    pending_.append(bytes);
    switch (part_) {
    case Part::Head:
        return readHead();
    case Part::Sized:
        return readSized();
    case Part::Chunked:
        return readChunks();
    case Part::ToTheEnd:
        return takeBody(pending_.size()) ? state_ : fail();
    }
    return fail();
}

HttpResponse::State HttpResponse::end() {
    if (state_ == State::Reading) {
        return part_ == Part::ToTheEnd ? complete() : fail();
    }
    return state_;
}

bool HttpResponse::takeBody(qsizetype length) {
    if (body_.size() + length > maxBodyBytes_) {
        return false;
    }
    body_.append(pending_.first(length));
    pending_.remove(0, length);
    return true;
}

HttpResponse::State HttpResponse::readHead() {
    // The head ends at the first empty line (a bare LF is taken for CR LF);
    // interim answers (1xx) come before the real one.
    int status = 0;
    bool isNumber = false;
    QList<QByteArray> lines;
    while (status < 200) {
        const qsizetype crlf = pending_.indexOf("\r\n\r\n");
        const qsizetype lf = pending_.indexOf("\n\n");
        if (crlf < 0 && lf < 0) {
            return pending_.size() > kMaxHeadBytes ? fail() : State::Reading;
        }
        const bool byCrlf = crlf >= 0 && (lf < 0 || crlf < lf);
        const qsizetype end = byCrlf ? crlf : lf;
        if (end > kMaxHeadBytes) {
            return fail();
        }
        lines = pending_.first(end).split('\n');
        pending_.remove(0, end + (byCrlf ? 4 : 2));

        // "HTTP/1.x NNN reason"
        const QList<QByteArray> statusLine = lines.front().trimmed().split(' ');
        status = statusLine.value(1).toInt(&isNumber);
        if (!statusLine.front().startsWith("HTTP/1.") || !isNumber || status < 100 ||
            status > 999) {
            return fail();
        }
    }
    status_ = status;
    qint64 length = -1;
    bool chunked = false;
    for (qsizetype k = 1; k < lines.size(); ++k) {
        const QByteArray& line = lines[k];
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.first(std::max<qsizetype>(colon, 0)).trimmed().toLower();
        const QByteArray value = line.sliced(colon + 1).trimmed();
        if (name == "content-length") {
            length = value.toLongLong(&isNumber);
            if (!isNumber || length < 0) {
                return fail();
            }
        } else if (name == "transfer-encoding") {
            chunked = value.toLower() == "chunked";
            if (!chunked && value.toLower() != "identity") {
                return fail();
            }
        } else if (name == "content-encoding" && value.toLower() != "identity") {
            return fail();
        } else if (name == "location") {
            location_ = value;
        }
    }
    if (status_ == 204 || status_ == 304) {
        return complete();
    }
    if (chunked) {
        part_ = Part::Chunked;
        return readChunks();
    }
    if (length >= 0) {
        if (length > maxBodyBytes_) {
            return fail();
        }
        remaining_ = length;
        part_ = Part::Sized;
        return readSized();
    }
    part_ = Part::ToTheEnd;
    return takeBody(pending_.size()) ? state_ : fail();
}

bool HttpResponse::takeRemaining() {
    const qsizetype length = std::min<qsizetype>(remaining_, pending_.size());
    takeBody(length);
    remaining_ -= length;
    return remaining_ == 0;
}

HttpResponse::State HttpResponse::readSized() {
    return takeRemaining() ? complete() : state_;
}

HttpResponse::State HttpResponse::readChunks() {
    for (;;) {
        if (inChunk_) {
            if (!takeRemaining()) {
                return state_;
            }
            inChunk_ = false;
            afterChunk_ = true;
        }
        const qsizetype newline = pending_.indexOf('\n');
        if (newline < 0) {
            return pending_.size() > kMaxLineBytes ? fail() : state_;
        }
        if (newline > kMaxLineBytes) {
            return fail();
        }
        const QByteArray line = pending_.first(newline).trimmed();
        pending_.remove(0, newline + 1);
        if (afterChunk_) { // the line ending a chunk's data
            afterChunk_ = false;
            if (!line.isEmpty()) {
                return fail();
            }
        } else if (inTrailer_) {
            trailerBytes_ += newline + 1;
            if (line.isEmpty()) {
                return complete();
            }
            if (trailerBytes_ > kMaxHeadBytes) {
                return fail();
            }
        } else {
            // "SIZE[;extensions]", in hexadecimal
            bool isNumber = false;
            const qint64 size = line.split(';').front().trimmed().toLongLong(&isNumber, 16);
            if (!isNumber || size < 0 || body_.size() + size > maxBodyBytes_) {
                return fail();
            }
            inTrailer_ = size == 0;
            inChunk_ = size > 0;
            remaining_ = size;
        }
    }
}

} // namespace velmor
