#include "support/special_files.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace mokpe::test {

QString makePipe(const QString &path)
{
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        ADD_FAILURE() << "mkfifo";
    return path;
}

QString pipeInFolderUnavailable()
{
    return {};
}

QString endlessDevice()
{
    return QStringLiteral("/dev/zero");
}

} // namespace mokpe::test
