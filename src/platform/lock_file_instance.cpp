#include "platform/lock_file_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace mokpe::platform {

LockFileInstance::LockFileInstance(const QString &folder)
{
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    path_ = QDir(dir).filePath(QStringLiteral("mokpe-MokpeCnv.lock"));
}

bool LockFileInstance::acquire()
{
    if (lock_ && lock_->isLocked())
        return true;
    lock_ = std::make_unique<QLockFile>(path_);
    // Only a living owner keeps the lock; no time-based expiry while it runs.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

} // namespace mokpe::platform
