#include "platform/session_key.h"

#include <windows.h>

namespace mokpe::platform {

QString sessionKey()
{
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    wchar_t user[257] = {};
    DWORD size = 257;
    if (!GetUserNameW(user, &size))
        user[0] = 0;
    return QStringLiteral("%1:%2").arg(session).arg(QString::fromWCharArray(user));
}

} // namespace mokpe::platform
