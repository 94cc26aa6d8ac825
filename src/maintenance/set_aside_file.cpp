#include "maintenance/set_aside_file.h"

#include <QFile>
#include <QFileInfo>

namespace mokpe::maintenance {

namespace {
constexpr int kMaxSuffix = 999;
}

QString setAsideFile(const QString &path, const QDateTime &when)
{
    const QString base = path + QStringLiteral(".bad-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n <= kMaxSuffix; ++n) {
        QString target = n == 1 ? base : base + QLatin1Char('-') + QString::number(n);
        // QFile::rename never replaces an existing file, so a name taken meanwhile is skipped too.
        if (QFileInfo::exists(target))
            continue;
        if (QFile::rename(path, target))
            return target;
        if (!QFileInfo::exists(path))
            return {};
    }
    return {};
}

} // namespace mokpe::maintenance
