#include "platform/lock_file_instance.h"

#include "common/exclusive_lock.h"
#include "platform/foreground_handover.h"
#include "platform/session_key.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QThread>
#include <QTimer>
#include <QUuid>

namespace mokpe::platform {

namespace {

const QString kRequestSuffix = QStringLiteral(".request");
// A request being written; the holder never sees it under its final name unfinished.
const QString kPartSuffix = QStringLiteral(".part");
// A request of another session, answered.
const QString kElsewhereSuffix = QStringLiteral(".elsewhere");

} // namespace

LockFileInstance::LockFileInstance(const QString &programFolder)
    : path_(QDir(programFolder).filePath(QStringLiteral("MokpeCnv.lock"))),
      requestFolder_(QDir(programFolder).filePath(QStringLiteral("MokpeCnv.requests")))
{}

LockFileInstance::~LockFileInstance()
{
    // The holder leaves no request folder behind once nobody asks.
    watcher_.reset();
    if (lock_)
        QDir().rmdir(requestFolder_);
}

bool LockFileInstance::acquire()
{
    if (lock_)
        return true;
    common::ExclusiveLock lock = common::takeExclusiveLock(path_, std::chrono::milliseconds{0});
    if (lock.status == common::ExclusiveLock::Status::Busy)
        return false;
    // A folder where no lock can be made is one where nothing of the
    // program's can be written either: the program runs, and says so when
    // it saves.
    lock_ = std::move(lock.held);
    if (!lock_)
        lock_ = std::make_shared<int>(0);
    return true;
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
    const QByteArray session = sessionKey().toUtf8();
    const bool written = file.write(session) == session.size();
    file.close();
    // Renamed once closed: on Windows the holder could not remove a file still open here.
    if (!written || !QFile::rename(part, folder.filePath(name + kRequestSuffix))) {
        QFile::remove(part);
        return false;
    }
    request_ = folder.filePath(name);
    return true;
}

SingleInstance::Answer LockFileInstance::holderAnswer(std::chrono::milliseconds wait)
{
    if (request_.isEmpty())
        return Answer::None;
    const QString request = request_ + kRequestSuffix;
    const QString elsewhere = request_ + kElsewhereSuffix;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        // A holder in this program runs its handler from this loop.
        QCoreApplication::processEvents();
        if (QFile::exists(elsewhere)) {
            QFile::remove(elsewhere);
            return Answer::Elsewhere;
        }
        if (!QFile::exists(request))
            return Answer::Shown;
        if (std::chrono::steady_clock::now() >= deadline) {
            // Unanswered, the request is not left for a later holder.
            QFile::remove(request);
            return Answer::None;
        }
        QThread::msleep(20);
    }
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
    const QByteArray session = sessionKey().toUtf8();
    bool shown = false;
    for (const QString &name : requests) {
        QFile file(folder.filePath(name));
        const bool ours = file.open(QIODevice::ReadOnly) && file.readAll() == session;
        file.close();
        if (ours) {
            shown = folder.remove(name) || shown;
        } else {
            const QString base = name.chopped(kRequestSuffix.size());
            folder.rename(name, base + kElsewhereSuffix);
        }
    }
    if (shown && handler_)
        handler_();
}

} // namespace mokpe::platform
