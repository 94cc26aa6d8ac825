#include "common/durable_write.h"

#include <QFile>
#include <QFileDevice>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mokpe::common {

namespace {

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether `name` leads, without a link, to the file `opened` describes.
bool namesFile(const QByteArray &name, const struct stat &opened)
{
    struct stat named {};
    return ::lstat(name.constData(), &named) == 0 && sameFile(named, opened);
}

} // namespace

bool flushToDisk(QFileDevice &file, QString &reason)
{
    // Some file systems cannot sync at all (EINVAL): only a real write failure counts.
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

bool createTemporary(QFile &file, bool replacing)
{
    if (replacing)
        return file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

// The writer's lock is an flock() on the temporary, which ends with it however
// the writer ends. On a file system without such locks the clean-up cannot take
// one either, and leaves every temporary there alone.
bool holdTemporary(QFileDevice &file, const QString &path)
{
    if (::flock(file.handle(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return false;
    struct stat opened {};
    return ::fstat(file.handle(), &opened) == 0 && namesFile(QFile::encodeName(path), opened);
}

bool removeAbandonedTemporary(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat named {};
    // Looked at before it is opened: opening a device may have effects of its own.
    if (::lstat(name.constData(), &named) != 0 || !S_ISREG(named.st_mode))
        return false;
    // Opened for writing where it may be: a network file system's locks need it.
    int fd = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat opened {};
    // Once locked here, no writer holds it, and none can start on it: a writer
    // checks, after locking, that the name still leads to what it locked.
    const bool removed = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && sameFile(opened, named) &&
                         ::flock(fd, LOCK_EX | LOCK_NB) == 0 && namesFile(name, opened) &&
                         ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
}

bool replaceByTemporary(QFileDevice &temporary, const QString &target, QString &reason)
{
    // Renamed while still open, so that its writer holds it to the end.
    const bool renamed = ::rename(QFile::encodeName(temporary.fileName()).constData(),
                                  QFile::encodeName(target).constData()) == 0;
    if (!renamed)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    temporary.close();
    return renamed;
}

// A POSIX rename replaces a file that others hold open: its error says it all.
QString replaceFailureReason(const QString &, const QString &reason)
{
    return reason;
}

} // namespace mokpe::common
