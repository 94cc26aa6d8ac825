#include "common/os_error_text_win.h"

#include <QtGlobal>

#include <windows.h>

namespace mokpe::common {

namespace {

struct KnownError {
    DWORD code;
    const char16_t *text;
};

// ERROR_DISK_QUOTA_EXCEEDED, which MinGW's headers leave out.
constexpr DWORD kDiskQuotaExceeded = 1295;

const char16_t kInUse[] = u"他のプログラムで使用中です．閉じてからやり直して下さい．";
const char16_t kDiskFull[] = u"ディスクの空き容量がありません．";
const char16_t kNotThere[] = u"ファイルまたはフォルダーがありません．";
const char16_t kDiskFailure[] = u"ディスクの読み書きに失敗しました．";
const char16_t kNameTooLong[] = u"ファイル名が長すぎます．";
const char16_t kNoNetwork[] = u"ネットワーク上の場所に接続できません．";

constexpr KnownError kKnownErrors[] = {
    {ERROR_SHARING_VIOLATION, kInUse},
    {ERROR_LOCK_VIOLATION, kInUse},
    {ERROR_USER_MAPPED_FILE, kInUse},
    {ERROR_DISK_FULL, kDiskFull},
    {ERROR_HANDLE_DISK_FULL, kDiskFull},
    {kDiskQuotaExceeded, u"ディスクの使用量の上限に達しました．"},
    {ERROR_ACCESS_DENIED, u"アクセスが許可されていません．"},
    {ERROR_WRITE_PROTECT, u"書き込みが禁止されたディスクです．"},
    {ERROR_FILE_NOT_FOUND, kNotThere},
    {ERROR_PATH_NOT_FOUND, kNotThere},
    {ERROR_INVALID_DRIVE, u"ドライブがありません．"},
    {ERROR_NOT_READY, u"ドライブの準備ができていません(ディスクやUSBメモリが外されていませんか)．"},
    {ERROR_FILENAME_EXCED_RANGE, kNameTooLong},
    {ERROR_BUFFER_OVERFLOW, kNameTooLong},
    {ERROR_INVALID_NAME, u"ファイル名に使えない文字が含まれています．"},
    {ERROR_FILE_TOO_LARGE, u"ファイルが大きすぎます．"},
    {ERROR_CRC, kDiskFailure},
    {ERROR_WRITE_FAULT, kDiskFailure},
    {ERROR_READ_FAULT, kDiskFailure},
    {ERROR_GEN_FAILURE, kDiskFailure},
    {ERROR_IO_DEVICE, kDiskFailure},
    {ERROR_BAD_NETPATH, kNoNetwork},
    {ERROR_NETNAME_DELETED, kNoNetwork},
    {ERROR_UNEXP_NET_ERR, kNoNetwork},
};

} // namespace

QString windowsErrorText(unsigned long code)
{
    // As Qt's own file engine words a Windows error: the system's message
    // without its line end.
    wchar_t *text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    QString said = text ? QString::fromWCharArray(text) : QString();
    LocalFree(text);
    return said.trimmed();
}

QString windowsReasonForUser(const QString &systemReason)
{
    // Qt words a Windows error either way: through qt_error_string(), which
    // gives a few codes a C library text of its own, or with the system's text.
    for (const KnownError &known : kKnownErrors) {
        if (systemReason == windowsErrorText(known.code) ||
            systemReason == qt_error_string(static_cast<int>(known.code)))
            return QString::fromUtf16(known.text);
    }
    return {};
}

} // namespace mokpe::common
