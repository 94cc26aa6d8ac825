#include "common/durable_write.h"

#include "common/os_error_text_win.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>

#include <io.h>
#include <windows.h>

namespace mokpe::common {

bool flushToDisk(QFileDevice &file, QString &reason)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (handle == INVALID_HANDLE_VALUE || FlushFileBuffers(handle))
        return true;
    reason = windowsErrorText(GetLastError());
    return false;
}

// Permissions given to QFile::open() would become an explicit access list of
// their own instead of the folder's.
bool createTemporary(QFile &file, bool)
{
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

// The writer's open handle is its hold: Qt opens files without sharing the
// right to delete them, so a clean-up cannot remove a temporary that is open.
bool holdTemporary(QFileDevice &, const QString &)
{
    return true;
}

bool removeAbandonedTemporary(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t *>(native.utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)))
        return false;
    return DeleteFileW(reinterpret_cast<const wchar_t *>(native.utf16())) != 0;
}

bool replaceByTemporary(QFileDevice &temporary, const QString &target, QString &reason)
{
    // Windows renames no file that is open.
    temporary.close();
    const QString from = QDir::toNativeSeparators(temporary.fileName());
    const QString to = QDir::toNativeSeparators(target);
    if (MoveFileExW(reinterpret_cast<const wchar_t *>(from.utf16()),
                    reinterpret_cast<const wchar_t *>(to.utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    reason = windowsErrorText(GetLastError());
    return false;
}

QString replaceFailureReason(const QString &path, const QString &reason)
{
    // Replacing a file takes the right to delete it, which a program that
    // opened it without sharing that right (Excel, for one) withholds: the
    // replacement then fails as "access denied". Asking for the same right
    // tells that case from a file the user may not change.
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE held = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held != INVALID_HANDLE_VALUE) {
        CloseHandle(held);
        return reason;
    }
    if (GetLastError() == ERROR_SHARING_VIOLATION)
        return windowsErrorText(ERROR_SHARING_VIOLATION);
    return reason;
}

} // namespace mokpe::common
