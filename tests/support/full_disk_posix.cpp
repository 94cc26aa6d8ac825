#include "support/full_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/mount.h>
#include <sys/resource.h>

namespace mokpe::test {

namespace {
// Room for the old files a test puts in place before the disk is made full.
constexpr const char *kTmpfsSize = "size=256k";
// Under the file-size limit no file may grow past this many bytes.
constexpr rlim_t kFileSizeLimit = 8;
} // namespace

FullDiskFolder::FullDiskFolder()
{
    char pattern[] = "/tmp/mokpe-full-XXXXXX";
    if (!mkdtemp(pattern))
        std::abort();
    path_ = QString::fromLocal8Bit(pattern);
    mounted_ = ::mount("tmpfs", pattern, "tmpfs", 0, kTmpfsSize) == 0;
}

FullDiskFolder::~FullDiskFolder()
{
    release();
    const QByteArray native = QFile::encodeName(path_);
    if (mounted_)
        ::umount2(native.constData(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove_all(native.toStdString(), ignored);
}

QString FullDiskFolder::cannotFillReason() const
{
    return {};
}

QString FullDiskFolder::cannotCutShortReason()
{
    return {};
}

QString FullDiskFolder::file(const QString &name) const
{
    return QDir(path_).filePath(name);
}

void FullDiskFolder::makeFull()
{
    if (mounted_) {
        QFile filler(file(QStringLiteral(".filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            std::abort();
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
        const QByteArray byte(1, 'x');
        while (filler.write(byte) > 0) {
        }
        return;
    }
    limitFileSize(kFileSizeLimit);
}

void FullDiskFolder::limitFileSize(unsigned long long bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    if (!limited_)
        oldLimit_ = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        std::abort();
    limited_ = true;
}

void FullDiskFolder::release()
{
    if (limited_) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(oldLimit_);
        setrlimit(RLIMIT_FSIZE, &limit);
        limited_ = false;
    }
    if (mounted_)
        QFile::remove(file(QStringLiteral(".filler")));
}

QStringList FullDiskFolder::commandFor(const QString &program, const QStringList &arguments) const
{
    if (mounted_)
        return QStringList{program} + arguments;
    // ulimit -f counts 512-byte blocks in dash; one block is far below any file written.
    return QStringList{QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                       QStringLiteral("trap '' XFSZ; ulimit -f 0; exec \"$0\" \"$@\""), program} +
           arguments;
}

QStringList FullDiskFolder::commandLimitedTo(unsigned long long bytes, const QString &program,
                                             const QStringList &arguments)
{
    // An ignored signal stays ignored across exec: the program sees EFBIG.
    return QStringList{QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                       QStringLiteral("trap '' XFSZ; exec prlimit --fsize=%1 \"$0\" \"$@\"").arg(bytes),
                       program} +
           arguments;
}

} // namespace mokpe::test
