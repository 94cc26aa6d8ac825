#include "support/full_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace mokpe::test {

namespace {
const char kSmallDrive[] = "MOKPE_TEST_SMALL_DRIVE";
} // namespace

FullDiskFolder::FullDiskFolder()
{
    const QString drive = qEnvironmentVariable(kSmallDrive);
    QTemporaryDir dir((drive.isEmpty() ? QDir::tempPath() : drive) + QStringLiteral("/mokpe-full-XXXXXX"));
    if (!dir.isValid())
        std::abort();
    dir.setAutoRemove(false);
    path_ = dir.path();
    mounted_ = !drive.isEmpty();
}

FullDiskFolder::~FullDiskFolder()
{
    release();
    QDir(path_).removeRecursively();
}

QString FullDiskFolder::cannotFillReason() const
{
    if (mounted_)
        return {};
    return QStringLiteral("no small drive to fill: name one in %1 (tools/windows/run-tests.sh does)")
        .arg(QLatin1String(kSmallDrive));
}

QString FullDiskFolder::cannotCutShortReason()
{
    return QStringLiteral("Windows has no file-size limit for a process (prlimit)");
}

QString FullDiskFolder::file(const QString &name) const
{
    return QDir(path_).filePath(name);
}

void FullDiskFolder::makeFull()
{
    if (!mounted_)
        std::abort();
    QFile filler(file(QStringLiteral(".filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        std::abort();
    const QByteArray block(4096, 'x');
    while (filler.write(block) > 0) {
    }
    const QByteArray byte(1, 'x');
    while (filler.write(byte) > 0) {
    }
}

void FullDiskFolder::limitFileSize(unsigned long long)
{
    std::abort();
}

void FullDiskFolder::release()
{
    if (mounted_)
        QFile::remove(file(QStringLiteral(".filler")));
}

QStringList FullDiskFolder::commandFor(const QString &program, const QStringList &arguments) const
{
    return QStringList{program} + arguments;
}

QStringList FullDiskFolder::commandLimitedTo(unsigned long long, const QString &, const QStringList &)
{
    std::abort();
}

} // namespace mokpe::test
