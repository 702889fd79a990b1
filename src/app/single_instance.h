#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>

namespace velmor {

// At most one running copy per program file: a lock file in a per-user
// folder, named after the program's path. The lock of a copy that crashed
// is taken over, since its owner no longer runs. The folders are tried in
// turn: the runtime folder, the temporary folder, the user's cache folder;
// one where no lock can be made (unwritable, missing) is passed over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programPath);

    enum class Outcome {
        Acquired,       // this copy holds the lock until the object goes
        HeldByAnother,  // a running copy holds it
        NoUsableFolder, // no folder could hold a lock (see triedFolders)
    };
    Outcome acquire();

    // Where the lock is (or would be first tried).
    QString lockFilePath() const { return lock_->fileName(); }
    const QStringList& triedFolders() const { return tried_; }

    // The message for a lock that could not be made anywhere.
    QString noFolderMessage() const;

private:
    QString fileName_;
    QStringList folders_;
    QStringList tried_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace velmor
