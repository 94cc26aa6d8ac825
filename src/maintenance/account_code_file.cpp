#include "maintenance/account_code_file.h"

#include "common/text_file.h"
#include "maintenance/code_system_detection.h"

#include <QDir>
#include <QFileInfo>

namespace mokpe::maintenance {

QString accountCodeFilePath(const AppState &state)
{
    return state.programFile(kAccountCodeFileName);
}

void KamokuFileRead(AppState &state, platform::MessageService &messages)
{
    const QString path = accountCodeFilePath(state);
    if (!QFileInfo::exists(path)) {
        state.accounts.lines = QStringList{QString()};
        state.accounts.lastIndex = 0;
        messages.inform(kAccountFileMissingMessage);
        return;
    }
    const common::TextReadResult read = common::readTextFile(path);
    if (!read.ok) {
        messages.inform(read.error + QStringLiteral("\r\n") +
                        QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を読み込めませんでした．"));
        return;
    }
    state.accounts.lines = read.lines;
    state.accounts.lastIndex = static_cast<int>(read.lines.size()) - 1;
    KamokuKindCheck(state);
}

} // namespace mokpe::maintenance
