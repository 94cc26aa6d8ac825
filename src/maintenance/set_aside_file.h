#pragma once

#include <QDateTime>
#include <QString>

namespace mokpe::maintenance {

// Moves a file out of the way without losing it: renames it to
// "<name>.bad-YYYYMMDD-HHMMSS" (with "-2", "-3", … added when that name is
// taken; an existing file is never replaced). Returns the new path, or an empty
// text when the file could not be renamed.
QString setAsideFile(const QString &path, const QDateTime &when);

} // namespace mokpe::maintenance
