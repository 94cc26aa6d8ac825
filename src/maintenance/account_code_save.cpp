#include "maintenance/account_code_save.h"

#include "common/regular_file.h"
#include "common/text_file.h"
#include "maintenance/account_code_check.h"
#include "maintenance/account_code_file.h"
#include "maintenance/code_system_detection.h"
#include "settings/settings_file.h"

#include <QFile>

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

    // The table and the settings belong together (the settings hold the fixed
    // accounts): when the settings cannot follow, the old table goes back.
    const QString tablePath = settings::accountCodeFilePath(state);
    const common::RegularFileRead oldTable = common::readRegularFile(tablePath, common::kMaxProgramFileBytes);
    const bool hadTable = oldTable.ok;
    const QByteArray &oldBytes = oldTable.bytes;

    const QStringList lines = accountFileLines(contents);
    const QString error = common::writeCp932Lines(tablePath, lines);
    if (!error.isEmpty()) {
        messages.inform(
            QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を保存できませんでした．\r\n") + error);
        return false;
    }

    const SettingsRecord oldSettings = state.settings;
    settings.emoneyNameCopy = contents.emoney.name;
    state.settings = settings;
    if (!settings::Fm1_IniFileSave(state, settings::settingsFilePath(state), messages)) {
        state.settings = oldSettings;
        const QString undone = hadTable ? common::writeFileAtomically(tablePath, oldBytes)
                                        : (QFile::remove(tablePath) ? QString() : QStringLiteral("-"));
        messages.inform(undone.isEmpty()
                            ? QStringLiteral("設定ファイル(inifile.ini)を保存できなかったため，"
                                             "科目コード設定ファイル(kamoku_code.csv)も元に戻しました．")
                            : QStringLiteral("設定ファイル(inifile.ini)を保存できず，"
                                             "科目コード設定ファイル(kamoku_code.csv)も元に戻せませんでした．"
                                             "科目コード設定をもう一度保存して下さい．"));
        return false;
    }
    state.accounts.lines = lines;
    state.accounts.lastIndex = static_cast<int>(lines.size()) - 1;
    // The code system is the saved table's from now on, not only once the
    // table has been read again.
    KamokuKindCheck(state);
    settings::Fm1_IniFileRead(state, messages);
    return true;
}

} // namespace mokpe::maintenance
