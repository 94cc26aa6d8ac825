#include "journal/read_store_lock.h"
#include "settings/program_files.h"

#include <QLockFile>

namespace mokpe::journal {

ReadStoreLock lockReadStore(const QString &storePath, std::chrono::milliseconds wait)
{
    ReadStoreLock lock;
    auto file = std::make_shared<QLockFile>(storePath + settings::kLockSuffix);
    file->setStaleLockTime(kReadStoreStaleLockTime);
    // A lock file whose owner cannot be written into it is removed by QLockFile.
    if (file->tryLock(wait)) {
        lock.status = ReadStoreLock::Status::Held;
        lock.held = std::move(file);
        return lock;
    }
    lock.status = file->error() == QLockFile::LockFailedError ? ReadStoreLock::Status::Busy
                                                              : ReadStoreLock::Status::Unavailable;
    return lock;
}

} // namespace mokpe::journal
