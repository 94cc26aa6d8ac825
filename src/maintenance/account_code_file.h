#pragma once

#include "common/app_state.h"
#include "platform/messages.h"
#include "settings/program_files.h"

// "kamoku_code.csv": one account per line, 3-digit code "," 4-digit code ","
// name; line 1 the unsettled e-money account, line 2 the e-money account, then
// the accounts of the editor's list.
namespace mokpe::maintenance {

inline const QString kAccountFileMissingMessage = QStringLiteral(
    "科目コード設定ファイル(kamoku_code.csv)がありません．\r\n"
    "最初にメンテナンス画面から，科目コード設定画面の，「初回読込み」欄の科目コード設定を行って下さい．");

// The account lines of the file's lines: blank lines at the end of the file
// (an editor's last line end, say) are not accounts.
QStringList accountLinesOf(QStringList fileLines);

// Reads the account code file into the account code table and detects the code
// system from it. A missing file leaves one empty line in the table and the code
// system as it was; a file that cannot be read is reported, the table kept and
// the result false.
bool KamokuFileRead(AppState &state, platform::MessageService &messages);

} // namespace mokpe::maintenance
