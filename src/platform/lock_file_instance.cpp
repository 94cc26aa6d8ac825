#include "platform/lock_file_instance.h"

#include "platform/foreground_handover.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

namespace mokpe::platform {

namespace {

const QString kRequestSuffix = QStringLiteral(".request");
// A request being written; the holder never sees it under its final name unfinished.
const QString kPartSuffix = QStringLiteral(".part");

} // namespace

LockFileInstance::LockFileInstance(const QString &folder)
{
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    path_ = QDir(dir).filePath(QStringLiteral("mokpe-MokpeCnv.lock"));
    requestFolder_ = QDir(dir).filePath(QStringLiteral("mokpe-MokpeCnv.requests"));
}

LockFileInstance::~LockFileInstance() = default;

bool LockFileInstance::acquire()
{
    if (lock_ && lock_->isLocked())
        return true;
    lock_ = std::make_unique<QLockFile>(path_);
    // Only a living owner keeps the lock; no time-based expiry while it runs.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

bool LockFileInstance::askHolderToShow()
{
    // The holder runs behind the program the user just started; only this one,
    // in front, can let it come forward.
    allowForegroundHandover();
    const QDir folder(requestFolder_);
    if (!folder.mkpath(QStringLiteral(".")))
        return false;
    const QString name = QUuid::createUuid().toString(QUuid::Id128);
    const QString part = folder.filePath(name + kPartSuffix);
    QFile file(part);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    file.close();
    // Renamed once closed: on Windows the holder could not remove a file still open here.
    if (!QFile::rename(part, folder.filePath(name + kRequestSuffix))) {
        QFile::remove(part);
        return false;
    }
    return true;
}

void LockFileInstance::onShowRequest(std::function<void()> handler)
{
    handler_ = std::move(handler);
    if (!QDir().mkpath(requestFolder_))
        return;
    watcher_ = std::make_unique<QFileSystemWatcher>(QStringList{requestFolder_});
    QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, watcher_.get(),
                     [this] { takeRequests(); });
    // A start that asked between the claim and the watch is answered too.
    QTimer::singleShot(0, watcher_.get(), [this] { takeRequests(); });
}

void LockFileInstance::takeRequests()
{
    QDir folder(requestFolder_);
    const QStringList requests = folder.entryList({QLatin1Char('*') + kRequestSuffix}, QDir::Files);
    if (requests.isEmpty())
        return;
    // Removing them changes the folder again; that finds none and does nothing.
    for (const QString &name : requests)
        folder.remove(name);
    if (handler_)
        handler_();
}

} // namespace mokpe::platform
