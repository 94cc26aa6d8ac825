#pragma once

#include "common/app_state.h"
#include "platform/messages.h"

#include <QDateTime>

// The start-up check of the account code file.
namespace mokpe::maintenance {

inline const QString kAccountFileNotChosenMessage =
    QStringLiteral("科目種類の設定は，\r\n\r\n「メンテナンス」→「科目コード設定」→「初回読込み」欄より\r\n\r"
                   "\n選択して下さい．");

// Whether a line of the account code file has its three fields (two commas or more).
bool isWellFormedAccountLine(const QString &line);

// Loads the account code file when it is there and every line is well formed.
// A missing file is reported and nothing is loaded. A file with a malformed line
// (an empty one included) is renamed out of the way without a message and then
// counts as missing. A file that cannot be read is also renamed out of the way,
// but with a message that says why and under which name it was kept.
void Fm1_KamokuFileCheck(AppState &state, platform::MessageService &messages,
                         const QDateTime &now = QDateTime::currentDateTime());

} // namespace mokpe::maintenance
