#include "common/app_state.h"

#include <QFileInfo>

namespace mokpe {

QString CardHistory::sourceFolder() const
{
    return sourcePath.isEmpty() ? QString() : QFileInfo(sourcePath).absolutePath();
}

} // namespace mokpe
