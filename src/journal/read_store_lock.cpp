#include "journal/read_store_lock.h"
#include "settings/program_files.h"

#include <QDir>

namespace mokpe::journal {

ReadStoreLock lockReadStore(const QString &storePath, std::chrono::milliseconds wait)
{
    return common::takeExclusiveLock(storePath + settings::kLockSuffix, wait, kReadStoreStaleLockTime);
}

QString readStoreBusyMessage(const QString &storePath)
{
    return QStringLiteral("前回の読込み記録「%1」は，別のモコペ！が使用中です．\r\n"
                          "しばらく待ってから，もう一度読み込んで下さい．")
        .arg(QDir::toNativeSeparators(storePath));
}

} // namespace mokpe::journal
