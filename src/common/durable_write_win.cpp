#include "common/durable_write.h"

#include "common/os_error_text_win.h"

#include <QDir>
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
