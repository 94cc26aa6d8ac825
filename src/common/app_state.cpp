#include "common/app_state.h"

#include <QDir>

namespace mokpe {

QString AppState::programFile(const QString &fileName) const
{
    return QDir(programFolder).filePath(fileName);
}

} // namespace mokpe
