#include "common/regular_file_win.h"

#include "common/device_names.h"
#include "common/os_error_text_win.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <windows.h>

namespace mokpe::common {

namespace {

using Outcome = WindowsFileRead::Outcome;

WindowsFileRead failed(Outcome outcome)
{
    WindowsFileRead read;
    read.outcome = outcome;
    if (outcome == Outcome::NotOpened || outcome == Outcome::ReadFailed) {
        const DWORD error = GetLastError();
        read.missing =
            outcome == Outcome::NotOpened && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
        read.systemReason = windowsErrorText(error);
    }
    return read;
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

// \\.\pipe\…, \\.\COM1, \\?\GLOBALROOT\Device\…: names of devices, not files.
bool inDeviceNameSpace(const QString &native)
{
    if (native.startsWith(QLatin1String("\\\\.\\")))
        return true;
    return native.startsWith(QLatin1String("\\\\?\\")) &&
           !(native.size() > 6 && native.at(5) == QLatin1Char(':')) &&
           !native.startsWith(QLatin1String("\\\\?\\UNC\\"), Qt::CaseInsensitive);
}

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

} // namespace

WindowsTarget windowsTargetAt(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    if (inDeviceNameSpace(native) || isWindowsDeviceName(QFileInfo(path).fileName()))
        return WindowsTarget::Device;
    const DWORD attributes = GetFileAttributesW(wide(native));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return WindowsTarget::Folder;
    return WindowsTarget::NothingOrOrdinaryFile;
}

WindowsFileRead readWindowsFile(const QString &path, qint64 maxBytes)
{
    const QString native = QDir::toNativeSeparators(path);
    if (inDeviceNameSpace(native) || isWindowsDeviceName(QFileInfo(path).fileName()))
        return failed(Outcome::Device);
    const DWORD attributes = GetFileAttributesW(wide(native));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return failed(Outcome::NotOpened);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return failed(Outcome::Folder);
    // Others may go on reading, writing or even renaming it while it is read.
    const Handle file(CreateFileW(wide(native), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return failed(Outcome::NotOpened);
    // The name may have been replaced since it was looked at: what was opened
    // is what counts.
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return failed(Outcome::Device);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info))
        return failed(Outcome::ReadFailed);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return failed(Outcome::Folder);
    const qint64 size = static_cast<qint64>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    if (size > maxBytes)
        return failed(Outcome::TooLarge);

    // One byte past the limit tells a file that grew too large while it was read.
    WindowsFileRead read;
    const qint64 limit = maxBytes + 1;
    read.bytes.resize(static_cast<qsizetype>(std::min(size, maxBytes) + 1));
    qint64 have = 0;
    while (have < limit) {
        if (read.bytes.size() == have)
            read.bytes.resize(static_cast<qsizetype>(std::min(limit, std::max(have * 2, have + 64 * 1024))));
        const DWORD ask = static_cast<DWORD>(std::min<qint64>(read.bytes.size() - have, 1 << 30));
        DWORD got = 0;
        if (!ReadFile(file.get(), read.bytes.data() + have, ask, &got, nullptr))
            return failed(Outcome::ReadFailed);
        if (got == 0)
            break;
        have += got;
    }
    if (have > maxBytes)
        return failed(Outcome::TooLarge);
    read.bytes.resize(static_cast<qsizetype>(have));
    read.outcome = Outcome::Read;
    return read;
}

} // namespace mokpe::common
