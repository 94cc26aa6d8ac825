#pragma once

#include "common/app_state.h"
#include "platform/messages.h"
#include "settings/settings_file.h"

#include <QDateTime>

// The start-up check of the account code file.
namespace mokpe::maintenance {

inline const QString kAccountFileNotChosenMessage =
    QStringLiteral("科目種類の設定は，\r\n\r\n「メンテナンス」→「科目コード設定」→「初回読込み」欄より\r\n\r"
                   "\n選択して下さい．");

// Whether a line of the account code file has its three fields (two commas or more).
bool isWellFormedAccountLine(const QString &line);

// Loads the account code file when it is there and every account line is well
// formed (blank lines at the end of the file are not account lines). A missing
// file is reported and nothing is loaded. A file with a malformed line (an empty
// one inside included), or one that is no text, is renamed out of the way and
// then counts as missing; the message says which line or why, under which name
// the file was kept, and whether the caller goes on without it. A file that
// cannot be read at all is told and left where it is. False when the file was
// there but not used.
bool Fm1_KamokuFileCheck(AppState &state, platform::MessageService &messages,
                         const QDateTime &now = QDateTime::currentDateTime(),
                         settings::WhenUnusable whenUnusable = settings::WhenUnusable::GoOn);

} // namespace mokpe::maintenance
