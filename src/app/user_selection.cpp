#include "app/user_selection.h"

namespace mokpe::app {

QString summaryPrefixFor(int n, const QString &entry)
{
    if (n <= 0)
        return {};
    return QStringLiteral("No.") + QString::number(n) + QStringLiteral(": ") + entry + QStringLiteral("，");
}

QString userCaption(const QString &summaryPrefix)
{
    return QStringLiteral("使用者：　") + summaryPrefix;
}

} // namespace mokpe::app
