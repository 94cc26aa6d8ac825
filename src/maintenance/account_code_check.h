#pragma once

#include "maintenance/account_editor_contents.h"
#include "platform/messages.h"

// The checks made before the account code file is saved. The first problem is
// shown and stops the save.
namespace mokpe::maintenance {

// A fixed account's code box holds at most four characters, its name at most 32
// (characters, not bytes); a list account's 3-digit code is three or four
// half-width digits.
inline constexpr int kFixedCodeMaxLength = 4;
inline constexpr int kAccountNameMaxLength = 32;

// The message for list row `row` (1 for the first account row).
QString listCodeMessage(int row);
inline const QString kUnsettledCodeMessage =
    QStringLiteral("「電子マネー未決済勘定」欄のコードは\r\n半角数字４桁以内のみ入力して下さい．");
inline const QString kUnsettledNameMessage =
    QStringLiteral("「電子マネー未決済勘定欄」の勘定科目は\r\n全角３２文字以内で入力して下さい．");
inline const QString kEmoneyCodeMessage =
    QStringLiteral("「電子マネー勘定」欄のコードは\r\n半角数字４桁以内のみ入力して下さい．");
inline const QString kEmoneyNameMessage =
    QStringLiteral("「電子マネー勘定欄」の勘定科目は\r\n全角３２文字以内で入力して下さい．");

// Whether `code` is a list account's 3-digit code: 3 or 4 of the digits 0 to 9.
bool isListAccountCode(const QString &code);

// Checks, in order, every list row's 3-digit code, then the unsettled account's
// code and name, then the e-money account's code and name, then that no other
// code holds a comma (the file's field separator). The 4-digit codes are not
// checked otherwise, nor the list's names. Shows the first failure; true when
// all pass.
bool Fm8_KamokuCheck(const AccountEditorContents &contents, platform::MessageService &messages);

} // namespace mokpe::maintenance
