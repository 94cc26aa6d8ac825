#include "journal/read_store_lock.h"

#include <QDir>

namespace mokpe::journal {

QString readStoreBusyMessage(const QString &storePath)
{
    return QStringLiteral("前回の読込み記録「%1」は，別のモコペ！が使用中です．\r\n"
                          "しばらく待ってから，もう一度読み込んで下さい．")
        .arg(QDir::toNativeSeparators(storePath));
}

} // namespace mokpe::journal
