#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace velmor {

// At most one running copy per program file: a lock file in the user's
// runtime (or temporary) folder, named after the program's path. The lock
// of a copy that crashed is taken over, since its owner no longer runs.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programPath);

    // True when no other copy holds the lock; this copy then holds it until
    // the object goes.
    bool acquire();

    QString lockFilePath() const { return lock_->fileName(); }

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace velmor
