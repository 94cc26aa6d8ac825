#include "common/regular_file.h"

#include "common/os_error_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include "common/regular_file_win.h"
#endif

#ifdef Q_OS_WIN
#include <windows.h>

#include <optional>
#endif

namespace mokpe::common {

namespace {

constexpr qint64 kMegabyte = qint64{1024} * 1024;

const QString kFolderReason = QStringLiteral("ファイルではなく，フォルダーです．");
const QString kSpecialFileReason =
    QStringLiteral("通常のファイルではありません(パイプやデバイスは読み込めません)．");
const QString kFolderInPlaceReason = QStringLiteral("同じ名前のフォルダーがあります．");
const QString kSpecialTargetReason =
    QStringLiteral("通常のファイルではありません(パイプやデバイスには書き込めません)．");

QString sizeText(qint64 bytes)
{
    if (bytes >= kMegabyte && bytes % kMegabyte == 0)
        return QStringLiteral("%1MB").arg(bytes / kMegabyte);
    return QStringLiteral("%1バイト").arg(bytes);
}

QString tooLargeMessage(const QString &path, qint64 maxBytes)
{
    return QStringLiteral("ファイル「%1」は大きすぎるため，読み込めません．\r\n読み込めるのは%2までです．")
        .arg(QDir::toNativeSeparators(path), sizeText(maxBytes));
}

QString readFailureMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル「%1」を読み込めません．\r\n%2")
        .arg(QDir::toNativeSeparators(path), osReasonForUser(reason));
}

#ifdef Q_OS_UNIX

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The reason a file of this type is not read, or empty for an ordinary file.
QString refusedTypeReason(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    return S_ISDIR(mode) ? kFolderReason : kSpecialFileReason;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads until the end of the file or `limit` bytes, whichever comes first,
// into `bytes`, whose size on entry is the first guess of the file's length
// (plus one, to see the end at once). False with errno set when a read fails.
bool readUpTo(int fd, QByteArray &bytes, qint64 limit)
{
    qint64 have = 0;
    while (have < limit) {
        if (bytes.size() == have) {
            // The file grew after it was measured: more room, never past the limit.
            const qint64 room = std::min<qint64>(limit, std::max<qint64>(have * 2, have + qint64{64} * 1024));
            bytes.resize(static_cast<qsizetype>(room));
        }
        const ssize_t n = ::read(fd, bytes.data() + have, static_cast<size_t>(bytes.size() - have));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        have += n;
    }
    bytes.resize(static_cast<qsizetype>(have));
    return true;
}

#endif

#ifdef Q_OS_WIN

// What names a file on Windows whatever the path to it: its volume and its
// index there (the same for every hard link).
struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

std::optional<FileIdentity> identityOf(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    // No access asked for: a file open elsewhere, or a folder, can still be looked at.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!known)
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

#endif

} // namespace

QString openFailureMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル「%1」を開けません．\r\n%2")
        .arg(QDir::toNativeSeparators(path), osReasonForUser(reason));
}

RegularFileRead readRegularFile(const QString &path, qint64 maxBytes)
{
    RegularFileRead result;
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    struct stat before {};
    // The type is looked at before the file is opened: opening a pipe for
    // reading waits for a writer, and opening a device may have effects of its own.
    if (::stat(native.constData(), &before) != 0) {
        result.failure = errno == ENOENT ? ReadFailure::Missing : ReadFailure::Unreadable;
        result.error = openFailureMessage(path, systemReason(errno));
        return result;
    }
    result.failure = ReadFailure::Unreadable;
    if (const QString reason = refusedTypeReason(before.st_mode); !reason.isEmpty()) {
        result.error = openFailureMessage(path, reason);
        return result;
    }
    if (before.st_size > maxBytes) {
        result.failure = ReadFailure::Damaged;
        result.error = tooLargeMessage(path, maxBytes);
        return result;
    }
    // Should the name have been replaced by a pipe since, O_NONBLOCK keeps the
    // open from waiting, and the type is checked again on what was opened.
    const FileDescriptor fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        result.error = openFailureMessage(path, systemReason(errno));
        return result;
    }
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0) {
        result.error = readFailureMessage(path, systemReason(errno));
        return result;
    }
    if (const QString reason = refusedTypeReason(opened.st_mode); !reason.isEmpty()) {
        result.error = openFailureMessage(path, reason);
        return result;
    }
    // One byte past the limit tells a file that grew too large while it was read.
    result.bytes.resize(static_cast<qsizetype>(std::min<qint64>(opened.st_size, maxBytes) + 1));
    if (!readUpTo(fd.get(), result.bytes, maxBytes + 1)) {
        result.error = readFailureMessage(path, systemReason(errno));
        result.bytes.clear();
        return result;
    }
    if (result.bytes.size() > maxBytes) {
        result.bytes = QByteArray();
        result.failure = ReadFailure::Damaged;
        result.error = tooLargeMessage(path, maxBytes);
        return result;
    }
#else
    WindowsFileRead read = readWindowsFile(path, maxBytes);
    result.failure = read.missing                                         ? ReadFailure::Missing
                     : read.outcome == WindowsFileRead::Outcome::TooLarge ? ReadFailure::Damaged
                                                                          : ReadFailure::Unreadable;
    switch (read.outcome) {
    case WindowsFileRead::Outcome::Read:
        result.bytes = std::move(read.bytes);
        break;
    case WindowsFileRead::Outcome::NotOpened:
        result.error = openFailureMessage(path, read.systemReason);
        return result;
    case WindowsFileRead::Outcome::Folder:
        result.error = openFailureMessage(path, kFolderReason);
        return result;
    case WindowsFileRead::Outcome::Device:
        result.error = openFailureMessage(path, kSpecialFileReason);
        return result;
    case WindowsFileRead::Outcome::TooLarge:
        result.error = tooLargeMessage(path, maxBytes);
        return result;
    case WindowsFileRead::Outcome::ReadFailed:
        result.error = readFailureMessage(path, read.systemReason);
        return result;
    }
#endif
    result.ok = true;
    result.failure = ReadFailure::None;
    return result;
}

QString replaceRefusalReason(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    return S_ISDIR(st.st_mode) ? kFolderInPlaceReason : kSpecialTargetReason;
#else
    switch (windowsTargetAt(path)) {
    case WindowsTarget::Folder:
        return kFolderInPlaceReason;
    case WindowsTarget::Device:
        return kSpecialTargetReason;
    case WindowsTarget::NothingOrOrdinaryFile:
        break;
    }
    return {};
#endif
}

bool isSameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_UNIX
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
#elif defined(Q_OS_WIN)
    const std::optional<FileIdentity> first = identityOf(a);
    return first && first == identityOf(b);
#else
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
#endif
}

} // namespace mokpe::common
