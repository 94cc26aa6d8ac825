#include "common/os_error_text.h"

#ifdef Q_OS_WIN
#include "common/os_error_text_win.h"
#endif

#include <cerrno>
#include <cstring>

namespace mokpe::common {

namespace {

struct KnownReason {
    int code;
    const char16_t *text;
};

constexpr KnownReason kKnownReasons[] = {
    {ENOSPC, u"ディスクの空き容量がありません．"},
#ifdef EDQUOT
    {EDQUOT, u"ディスクの使用量の上限に達しました．"},
#endif
    {EFBIG, u"ファイルが大きすぎます．"},
    {EACCES, u"アクセスが許可されていません．"},
    {EPERM, u"この操作は許可されていません．"},
    {EROFS, u"読み取り専用の場所には書き込めません．"},
    {ENOENT, u"ファイルまたはフォルダーがありません．"},
    {ENOTDIR, u"フォルダーではありません．"},
    {EISDIR, u"同じ名前のフォルダーがあります．"},
    {ENAMETOOLONG, u"ファイル名が長すぎます．"},
    {EIO, u"ディスクの読み書きに失敗しました．"},
    {EBUSY, u"ファイルが使用中です．"},
};

} // namespace

QString osReasonForUser(const QString &systemReason)
{
    // Qt reports system errors with the C library's text for the error number;
    // the same text identifies the number again.
    for (const KnownReason &known : kKnownReasons) {
        if (systemReason == QString::fromLocal8Bit(std::strerror(known.code)))
            return QString::fromUtf16(known.text);
    }
#ifdef Q_OS_WIN
    // Windows' own error codes, as Qt's file engine reports them.
    if (QString known = windowsReasonForUser(systemReason); !known.isEmpty())
        return known;
#endif
    return systemReason;
}

QString readOnlyFileReason()
{
    return QStringLiteral("書き込みが許可されていないファイルです(読み取り専用)．");
}

} // namespace mokpe::common
