#include "support/file_kinds.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace mokpe::test {

QString makePipe(const QString &path)
{
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        ADD_FAILURE() << "mkfifo";
    return path;
}

bool pipeUntouched(const QString &path)
{
    // Opening a FIFO for reading without a writer would have hung the reader.
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

QString pipeInFolderUnavailable()
{
    return {};
}

QString endlessDevice()
{
    return QStringLiteral("/dev/zero");
}

QString makeDevice(const QString &path)
{
    if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
        return {};
    return path;
}

bool makeHardLink(const QString &existing, const QString &link)
{
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(link).constData()) == 0;
}

bool makeSymbolicLink(const QString &existing, const QString &link)
{
    return QFile::link(existing, link);
}

} // namespace mokpe::test
