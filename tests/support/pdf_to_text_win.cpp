#include "support/pdf_to_text.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <windows.h>

namespace mokpe::test {

namespace {

// Wine's own call for the Linux name of a Windows path; missing on Windows.
using UnixFileName = char *(CDECL *)(const wchar_t *);

UnixFileName unixFileNameCall()
{
    return reinterpret_cast<UnixFileName>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
}

QString unixPath(UnixFileName call, const QString &path)
{
    char *name = call(reinterpret_cast<const wchar_t *>(path.utf16()));
    if (!name)
        return {};
    const QString unix = QString::fromUtf8(name);
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

} // namespace

bool runPdfToText(const QString &pdfPath, const QString &htmlPath)
{
    const UnixFileName call = unixFileNameCall();
    if (!call)
        return false;
    const QString pdf = unixPath(call, pdfPath);
    const QString html = unixPath(call, htmlPath);
    if (pdf.isEmpty() || html.isEmpty())
        return false;
    QFile::remove(htmlPath);
    // Wine starts a Linux program from a Windows one, but hands back no
    // process to wait for: the page is complete when its closing tag is there.
    std::wstring command =
        L"/usr/bin/pdftotext -bbox-layout \"" + pdf.toStdWString() + L"\" \"" + html.toStdWString() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        QFile file(htmlPath);
        if (file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("</html>"))
            return true;
        QThread::msleep(50);
    }
    return false;
}

} // namespace mokpe::test
