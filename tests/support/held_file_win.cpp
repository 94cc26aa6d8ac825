#include "support/held_file.h"

#include <QDir>

#include <gtest/gtest.h>

#include <windows.h>

namespace mokpe::test {

HeldFile::HeldFile(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE h =
        CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        ADD_FAILURE() << "cannot hold " << path.toStdString() << ": " << GetLastError();
    else
        handle_ = h;
}

HeldFile::~HeldFile()
{
    if (handle_)
        CloseHandle(static_cast<HANDLE>(handle_));
}

QString HeldFile::cannotHoldReason()
{
    return {};
}

} // namespace mokpe::test
