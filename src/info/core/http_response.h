#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace velmor {

// Reads an HTTP/1.1 response to a GET, as its bytes arrive, within limits
// that no server can push it past: the status line and headers at most
// kMaxHeadBytes, the body at most maxBodyBytes, a chunk-size line at most
// kMaxLineBytes. The body may be sized by Content-Length, sent in chunks, or
// run to the connection's end; a body encoded in any way (the request asks
// for none) fails.
class HttpResponse {
public:
    static constexpr qsizetype kMaxHeadBytes = 64 << 10;
    static constexpr qsizetype kMaxLineBytes = 1 << 10;

    enum class State { Reading, Complete, Failed };

    explicit HttpResponse(qsizetype maxBodyBytes) : maxBodyBytes_(maxBodyBytes) {}

    // Takes the next bytes of the connection.
    State read(QByteArrayView bytes);
    // The connection has ended: complete if the body runs to its end,
    // failed if it was cut short.
    State end();

    State state() const { return state_; }
    // Once the head is read: its status code and Location header.
    int status() const { return status_; }
    const QByteArray& location() const { return location_; }
    // Once complete: the whole body.
    const QByteArray& body() const { return body_; }

private:
    enum class Part { Head, Sized, Chunked, ToTheEnd };

    State readHead();
    State readSized();
    State readChunks();
    // Moves length pending bytes to the body, if the body stays in bounds.
    bool takeBody(qsizetype length);
    // Moves what has come of the remaining_ bytes (of a sized body or a
    // chunk, already within bounds) to the body; true when none remain.
    bool takeRemaining();
    State fail() { return state_ = State::Failed; }
    State complete() { return state_ = State::Complete; }

    qsizetype maxBodyBytes_;
    State state_ = State::Reading;
    Part part_ = Part::Head;
    QByteArray pending_; // read, not yet taken
    int status_ = 0;
    QByteArray location_;
    QByteArray body_;
    qsizetype remaining_ = 0; // of the body, or of the chunk being read
    bool inChunk_ = false;
    bool afterChunk_ = false; // the line ending a chunk's data is next
    bool inTrailer_ = false;
    qsizetype trailerBytes_ = 0;
};

} // namespace velmor
