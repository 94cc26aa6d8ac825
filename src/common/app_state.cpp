#include "common/app_state.h"

#include <QDir>
#include <QFileInfo>

namespace mokpe {

QString CardHistory::sourceFolder() const
{
    return sourcePath.isEmpty() ? QString() : QFileInfo(sourcePath).absolutePath();
}

QString AppState::programFile(const QString &fileName) const
{
    return QDir(programFolder).filePath(fileName);
}

} // namespace mokpe
