#include "single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace velmor {

namespace {

QStringList lockFolders() {
    QStringList folders;
    // Without XDG_RUNTIME_DIR the runtime location is a made-up folder under
    // the temporary one; only a real one is tried.
    const QString runtime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")
                                ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                                : QString();
    for (const QString& folder :
         {runtime, QDir::tempPath(),
          QStandardPaths::writableLocation(QStandardPaths::CacheLocation)}) {
        if (!folder.isEmpty() && !folders.contains(folder)) {
            folders.append(folder);
        }
    }
    return folders;
}

std::unique_ptr<QLockFile> lockIn(const QString& folder, const QString& fileName) {
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(fileName));
    // A lock is stale only when its owner is gone, never by age.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

SingleInstance::SingleInstance(const QString& programPath) : folders_(lockFolders()) {
    const QByteArray key =
        QCryptographicHash::hash(QDir::cleanPath(programPath).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    fileName_ = QStringLiteral("velmor-%1.lock").arg(QString::fromLatin1(key));
    lock_ = lockIn(folders_.value(0, QDir::tempPath()), fileName_);
}

SingleInstance::Outcome SingleInstance::acquire() {
    tried_.clear();
    for (const QString& folder : folders_) {
        QDir().mkpath(folder);
        lock_ = lockIn(folder, fileName_);
        if (lock_->tryLock(0)) {
            return Outcome::Acquired;
        }
        // Only a lock that exists and whose owner runs means another copy.
        if (lock_->error() == QLockFile::LockFailedError) {
            return Outcome::HeldByAnother;
        }
        tried_.append(folder);
    }
    return Outcome::NoUsableFolder;
}

QString SingleInstance::noFolderMessage() const {
    return QStringLiteral("تعذر إنشاء ملف القفل الذي يمنع تشغيل نسختين من البرنامج في أي من "
                          "هذه المجلدات:\n%1")
        .arg(tried_.join(u'\n'));
}

} // namespace velmor
