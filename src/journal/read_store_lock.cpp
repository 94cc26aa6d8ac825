#include "journal/read_store_lock.h"

#include "journal/read_store.h"
#include "settings/program_files.h"

#include <QDir>
#include <QLockFile>

namespace mokpe::journal {

ReadStoreLock lockReadStore(const QString &storePath, std::chrono::milliseconds wait)
{
    ReadStoreLock lock;
    auto file = std::make_shared<QLockFile>(storePath + settings::kLockSuffix);
    file->setStaleLockTime(kReadStoreStaleLockTime);
    if (file->tryLock(wait)) {
        lock.status = ReadStoreLock::Status::Held;
        lock.file = std::move(file);
        return lock;
    }
    lock.status = file->error() == QLockFile::LockFailedError ? ReadStoreLock::Status::Busy
                                                              : ReadStoreLock::Status::Unavailable;
    return lock;
}

QString readStoreBusyMessage(const QString &storePath)
{
    return QStringLiteral("前回の読込み記録「%1」は，別のモコペ！が使用中です．\r\n"
                          "しばらく待ってから，もう一度読み込んで下さい．")
        .arg(QDir::toNativeSeparators(storePath));
}

} // namespace mokpe::journal
