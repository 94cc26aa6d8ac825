#include "maintenance/account_file_check.h"

#include "common/text_file.h"
#include "maintenance/account_code_file.h"
#include "maintenance/set_aside_file.h"

#include <QFileInfo>

#include <algorithm>

namespace mokpe::maintenance {

bool isWellFormedAccountLine(const QString &line)
{
    return line.count(QLatin1Char(',')) >= 2;
}

void Fm1_KamokuFileCheck(AppState &state, platform::MessageService &messages, const QDateTime &now)
{
    const QString path = accountCodeFilePath(state);
    if (!QFileInfo::exists(path)) {
        messages.inform(kAccountFileNotChosenMessage);
        return;
    }

    const common::TextReadResult read = common::readTextFile(path);
    if (!read.ok) {
        // Unlike a malformed file, this one may hold a good table in another
        // encoding: the user is told, and it is kept under another name so that
        // the next save does not replace it.
        // A folder in the file's place is left alone.
        const QString kept = QFileInfo(path).isFile() ? setAsideFile(path, now) : QString();
        QString text = read.error + QStringLiteral("\r\n");
        if (kept.isEmpty())
            text += QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を使用せずに続けます．");
        else
            text += QStringLiteral("このファイルは「%1」という名前で残し，使用せずに続けます．")
                        .arg(QFileInfo(kept).fileName());
        messages.inform(text + QStringLiteral("\r\n") + kAccountFileNotChosenMessage);
        return;
    }

    if (std::all_of(read.lines.begin(), read.lines.end(), isWellFormedAccountLine)) {
        KamokuFileRead(state, messages);
        return;
    }

    // A malformed table is set aside silently; the user builds a new one with
    // "初回読込み". Only a failure to move it is worth a word.
    if (setAsideFile(path, now).isEmpty()) {
        messages.inform(
            QStringLiteral("科目コード設定ファイル(kamoku_code.csv)に正しくない行があるため使用しません．\r\n"
                           "ファイルの名前を変更できませんでした．"));
    }
}

} // namespace mokpe::maintenance
