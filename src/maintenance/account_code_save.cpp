#include "maintenance/account_code_save.h"

#include "settings/settings_file.h"
#include "common/text_file.h"
#include "maintenance/account_code_check.h"
#include "maintenance/account_code_file.h"

namespace mokpe::maintenance {

bool Fm8_KamokuSave(AppState &state, const AccountEditorContents &contents,
                    platform::MessageService &messages)
{
    // Worked on a copy so that a refused save leaves the record as the files have it.
    SettingsRecord settings = state.settings;
    settings.unsettledAccount = contents.unsettled;
    settings.emoneyAccount = contents.emoney;
    if (state.codeSystemState != state.accountEditorDefaultSet)
        settings.formatChoice = QStringLiteral("0");

    if (!Fm8_KamokuCheck(contents, messages))
        return false;

    const QStringList lines = accountFileLines(contents);
    const QString error = common::writeCp932Lines(accountCodeFilePath(state), lines);
    if (!error.isEmpty()) {
        messages.inform(
            QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を保存できませんでした．\r\n") + error);
        return false;
    }

    settings.emoneyNameCopy = contents.emoney.name;
    state.settings = settings;
    state.accounts.lines = lines;
    state.accounts.lastIndex = static_cast<int>(lines.size()) - 1;

    settings::Fm1_IniFileSave(state, state.programFile(settings::kSettingsFileName), messages);
    settings::Fm1_IniFileRead(state, messages);
    return true;
}

} // namespace mokpe::maintenance
