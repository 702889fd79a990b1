#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmor {

namespace {

QString lastError(const char* what) {
    return QString::fromLatin1(what) + QStringLiteral(": ") +
           QString::fromLocal8Bit(std::strerror(errno));
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace

Outcome<QByteArray> readRegularFile(const QString& path, qsizetype limit) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return Outcome<QByteArray>::failed(lastError("open"));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Outcome<QByteArray>::failed(QStringLiteral("not a regular file"));
    }
    QByteArray bytes(limit, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(limit - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const QString reason = lastError("read");
            ::close(fd);
            return Outcome<QByteArray>::failed(reason);
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    ::close(fd);
    bytes.resize(got);
    return bytes;
}

bool isRegularOrMissing(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return errno == ENOENT;
    }
    return S_ISREG(status.st_mode);
}

Done replaceFile(const QString& path, const std::function<bool(const QString&)>& write,
                 Folder folder) {
    const QFileInfo target(path);
    if (folder == Folder::MustExist && !QFileInfo(target.absolutePath()).isDir()) {
        return Done::failed(QStringLiteral("no folder ") + target.absolutePath());
    }
    if (folder == Folder::Make && !QDir().mkpath(target.absolutePath())) {
        return Done::failed(QStringLiteral("cannot make the folder ") + target.absolutePath());
    }
    QByteArray temporary = QFile::encodeName(target.absoluteFilePath()) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return Done::failed(lastError("mkstemp"));
    }
    const bool made = ::fchmod(fd, 0644) == 0;
    ::close(fd);
    const QString temporaryPath = QFile::decodeName(temporary);
    QString reason;
    if (!made) {
        reason = lastError("fchmod");
    } else if (!write(temporaryPath)) {
        reason = QStringLiteral("the new file could not be written");
    } else if (const int again = ::open(temporary.constData(), O_RDONLY | O_CLOEXEC);
               again < 0 || ::fsync(again) != 0) {
        reason = lastError("fsync");
        if (again >= 0) {
            ::close(again);
        }
    } else {
        ::close(again);
        if (::rename(temporary.constData(),
                     QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
            reason = lastError("rename");
        }
    }
    if (!reason.isEmpty()) {
        ::unlink(temporary.constData());
        return Done::failed(reason);
    }
    return done();
}

Done replaceFile(const QString& path, const QByteArray& bytes, Folder folder) {
    return replaceFile(
        path,
        [&bytes](const QString& temporary) {
            const int fd =
                ::open(QFile::encodeName(temporary).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd < 0) {
                return false;
            }
            const bool written = writeAll(fd, bytes);
            return ::close(fd) == 0 && written;
        },
        folder);
}

} // namespace velmor
