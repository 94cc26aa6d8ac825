#include "platform/processes.h"

#include <QProcess>

namespace mokpe::platform {

bool DetachedProcessLauncher::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace mokpe::platform
