#include "platform/os_system_info.h"

#include <QOperatingSystemVersion>
#include <QSysInfo>

namespace mokpe::platform {

double OsSystemInfo::osVersion()
{
#ifdef Q_OS_WIN
    const QOperatingSystemVersion v = QOperatingSystemVersion::current();
    return v.majorVersion() + v.minorVersion() / 10.0;
#else
    bool ok = false;
    const double v = QSysInfo::productVersion().toDouble(&ok);
    return ok ? v : 0.0;
#endif
}

} // namespace mokpe::platform
