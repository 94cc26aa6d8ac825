#include "support/file_kinds.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <windows.h>

namespace mokpe::test {

QString makePipe(const QString &)
{
    static int made = 0;
    const QString path =
        QStringLiteral("\\\\.\\pipe\\mokpe-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++made);
    // The server end stays open until the process ends, so the pipe is there
    // for whatever the test hands it to.
    const HANDLE pipe =
        CreateNamedPipeW(reinterpret_cast<const wchar_t *>(path.utf16()), PIPE_ACCESS_DUPLEX,
                         PIPE_TYPE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE)
        ADD_FAILURE() << "CreateNamedPipe " << GetLastError();
    return path;
}

bool pipeUntouched(const QString &path)
{
    // The one instance is free only while no client has opened it.
    return WaitNamedPipeW(reinterpret_cast<const wchar_t *>(path.utf16()), 1);
}

QString pipeInFolderUnavailable()
{
    return QStringLiteral("Windows keeps pipes out of folders (\\\\.\\pipe\\ only)");
}

QString endlessDevice()
{
    return QStringLiteral("CON");
}

QString makeDevice(const QString &)
{
    return {};
}

bool makeHardLink(const QString &existing, const QString &link)
{
    const QString to = QDir::toNativeSeparators(link);
    const QString from = QDir::toNativeSeparators(existing);
    return CreateHardLinkW(reinterpret_cast<const wchar_t *>(to.utf16()),
                           reinterpret_cast<const wchar_t *>(from.utf16()), nullptr) != 0;
}

bool makeSymbolicLink(const QString &, const QString &)
{
    // QFile::link makes a shortcut (.lnk) here, and a symbolic link needs
    // rights a test does not have.
    return false;
}

} // namespace mokpe::test
