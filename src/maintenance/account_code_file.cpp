#include "maintenance/account_code_file.h"

#include "common/text_file.h"
#include "maintenance/code_system_detection.h"
#include "settings/program_files.h"

#include <QDir>
#include <QFileInfo>

namespace mokpe::maintenance {

QStringList accountLinesOf(QStringList fileLines)
{
    while (!fileLines.isEmpty() && fileLines.constLast().trimmed().isEmpty())
        fileLines.removeLast();
    return fileLines;
}

bool KamokuFileRead(AppState &state, platform::MessageService &messages)
{
    const QString path = settings::accountCodeFilePath(state);
    if (!QFileInfo::exists(path)) {
        state.accounts.lines = QStringList{QString()};
        state.accounts.lastIndex = 0;
        messages.inform(kAccountFileMissingMessage);
        return true;
    }
    const common::TextReadResult read = common::readTextFile(path);
    if (!read.ok) {
        messages.inform(read.error + QStringLiteral("\r\n") +
                        QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を読み込めませんでした．"));
        return false;
    }
    state.accounts.lines = accountLinesOf(read.lines);
    state.accounts.lastIndex = static_cast<int>(state.accounts.lines.size()) - 1;
    KamokuKindCheck(state);
    return true;
}

} // namespace mokpe::maintenance
