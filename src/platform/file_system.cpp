#include "platform/file_system.h"

#include <QFileInfo>

namespace mokpe::platform {

bool LocalFileSystem::exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

} // namespace mokpe::platform
