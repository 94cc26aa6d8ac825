#include "common/exclusive_lock.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace mokpe::common {

namespace {

// Another program holds the lock: it has the file open (a sharing
// violation), or has just closed it and Windows is removing it (access
// denied on a file that is still there).
bool heldByAnother(DWORD error, const std::wstring &path)
{
    if (error == ERROR_SHARING_VIOLATION)
        return true;
    if (error != ERROR_ACCESS_DENIED)
        return false;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD why = GetLastError();
    return why != ERROR_FILE_NOT_FOUND && why != ERROR_PATH_NOT_FOUND;
}

} // namespace

// No lock outlives its program here: another machine's program that ended is
// let go of by the file server, so `foreignLockTime` is not needed.
ExclusiveLock tryExclusiveLock(const QString &lockPath, std::chrono::milliseconds)
{
    const std::wstring path = QDir::toNativeSeparators(lockPath).toStdWString();
    ExclusiveLock lock;
    // Nothing is written into the file, so a full disk cannot leave half a
    // lock; a file left by another system's program, held by nobody, is
    // taken over.
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        lock.status = ExclusiveLock::Status::Held;
        lock.held = std::shared_ptr<void>(handle, [](HANDLE h) { CloseHandle(h); });
    } else if (heldByAnother(GetLastError(), path)) {
        lock.status = ExclusiveLock::Status::Busy;
    }
    return lock;
}

} // namespace mokpe::common
