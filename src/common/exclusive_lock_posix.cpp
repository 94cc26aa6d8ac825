#include "common/exclusive_lock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QSysInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace mokpe::common {

namespace {

// The holder: the file is removed while it is still held, then let go.
struct HeldFile {
    int fd;
    QByteArray path;
    HeldFile(int f, QByteArray p) : fd(f), path(std::move(p)) {}
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;
    ~HeldFile()
    {
        ::unlink(path.constData());
        ::close(fd);
    }
};

QByteArray ownerText()
{
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
}

// Whether the lock file names another machine's program, written less than
// `time` ago.
bool heldFromAnotherMachine(int fd, const struct stat &info, std::chrono::milliseconds time)
{
    if (time.count() <= 0)
        return false;
    char buffer[512];
    const ssize_t size = ::pread(fd, buffer, sizeof buffer, 0);
    if (size <= 0)
        return false;
    const QList<QByteArray> lines = QByteArray(buffer, size).split('\n');
    if (lines.size() < 3 || lines.at(2).isEmpty() || lines.at(2) == QSysInfo::machineHostName().toUtf8())
        return false;
    const qint64 age = QDateTime::currentSecsSinceEpoch() - static_cast<qint64>(info.st_mtime);
    return age * 1000 < time.count();
}

} // namespace

ExclusiveLock tryExclusiveLock(const QString &path, std::chrono::milliseconds foreignLockTime)
{
    ExclusiveLock lock;
    const QByteArray native = QFile::encodeName(path);
    for (;;) {
        const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return lock;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK || errno == EINTR)
                lock.status = ExclusiveLock::Status::Busy;
            ::close(fd);
            return lock;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) != 0 || ::stat(native.constData(), &named) != 0 ||
            held.st_ino != named.st_ino || held.st_dev != named.st_dev) {
            // Its last holder removed the file as this one opened it.
            ::close(fd);
            continue;
        }
        if (heldFromAnotherMachine(fd, held, foreignLockTime)) {
            ::close(fd);
            lock.status = ExclusiveLock::Status::Busy;
            return lock;
        }
        // The owner is written for people and older versions to read; a disk
        // too full for it leaves the lock held all the same.
        const QByteArray owner = ownerText();
        if (::ftruncate(fd, 0) == 0) [[maybe_unused]]
            const ssize_t written = ::pwrite(fd, owner.constData(), owner.size(), 0);
        lock.status = ExclusiveLock::Status::Held;
        lock.held = std::make_shared<HeldFile>(fd, native);
        return lock;
    }
}

} // namespace mokpe::common
