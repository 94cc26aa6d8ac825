#pragma once

#include <QString>

namespace mokpe::app {

// The tag put in front of every summary for the user at list position `n`
// ("-- 選択なし --" is position 0 and gives no tag).
QString summaryPrefixFor(int n, const QString &entry);

// The main window's caption while a user is chosen.
QString userCaption(const QString &summaryPrefix);

} // namespace mokpe::app
