#include "common/durable_write.h"

#include <QFileDevice>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace mokpe::common {

bool flushToDisk(QFileDevice &file, QString &reason)
{
    // Some file systems cannot sync at all (EINVAL): only a real write failure counts.
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

// A POSIX rename replaces a file that others hold open: its error says it all.
QString replaceFailureReason(const QString &, const QString &reason)
{
    return reason;
}

} // namespace mokpe::common
