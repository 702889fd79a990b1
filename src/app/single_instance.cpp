#include "single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace velmor {

namespace {

QString lockFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

SingleInstance::SingleInstance(const QString& programPath) {
    const QByteArray key =
        QCryptographicHash::hash(QDir::cleanPath(programPath).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    lock_ = std::make_unique<QLockFile>(
        QDir(lockFolder())
            .filePath(QStringLiteral("velmor-%1.lock").arg(QString::fromLatin1(key))));
    // A lock is stale only when its owner is gone, never by age.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return lock_->tryLock(0);
}

} // namespace velmor
