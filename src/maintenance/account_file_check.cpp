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

namespace {

// What the user is told when the file is not used: why, where it went, what
// the caller does without it, and how to make a new table (`next`).
QString notUsedMessage(const QString &why, const QString &kept, settings::WhenUnusable whenUnusable,
                       const QString &next = kAccountFileNotChosenMessage)
{
    const bool goOn = whenUnusable == settings::WhenUnusable::GoOn;
    QString text = why + QStringLiteral("\r\n");
    if (kept.isEmpty())
        text +=
            goOn
                ? QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を使用せずに続けます．")
                : QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を使用できないため，中止しました．");
    else
        text += QStringLiteral("このファイルは「%1」という名前で残し，%2")
                    .arg(QFileInfo(kept).fileName(),
                         goOn ? QStringLiteral("使用せずに続けます．") : QStringLiteral("中止しました．"));
    return text + QStringLiteral("\r\n") + next;
}

} // namespace

bool Fm1_KamokuFileCheck(AppState &state, platform::MessageService &messages, const QDateTime &now,
                         settings::WhenUnusable whenUnusable)
{
    const QString path = settings::accountCodeFilePath(state);
    if (!QFileInfo::exists(path)) {
        messages.inform(kAccountFileNotChosenMessage);
        return true;
    }

    const common::TextReadResult read = common::readTextFile(path);
    if (read.failure == common::ReadFailure::Unreadable) {
        // What could not be read (no permission, a folder in its place, a
        // failing disk) may hold a good table: it stays where it is, and no
        // save replaces it.
        messages.inform(notUsedMessage(
            read.error, QString(), whenUnusable,
            QStringLiteral("ファイルはそのまま残しました．読み込めるようにしてから，やり直して下さい．")));
        return false;
    }
    if (!read.ok) {
        // The file may hold a good table in another encoding: it is kept under
        // another name so that the next save does not replace it.
        messages.inform(notUsedMessage(read.error, setAsideFile(path, now), whenUnusable));
        return false;
    }

    const QStringList lines = accountLinesOf(read.lines);
    const auto bad = std::find_if_not(lines.begin(), lines.end(), isWellFormedAccountLine);
    if (bad == lines.end())
        return KamokuFileRead(state, messages);

    // A malformed table would give wrong codes on every export: it is set aside
    // (never deleted) and the user builds a new one with "初回読込み".
    const QString why =
        QStringLiteral(
            "科目コード設定ファイル(kamoku_code.csv)の%1行目が「コード,コード,科目名」の形ではありません．")
            .arg(bad - lines.begin() + 1);
    const QString kept = setAsideFile(path, now);
    if (kept.isEmpty()) {
        messages.inform(why +
                        QStringLiteral("\r\nファイルの名前を変更できなかったため，%1\r\n")
                            .arg(whenUnusable == settings::WhenUnusable::GoOn
                                     ? QStringLiteral("使用せずに続けます．")
                                     : QStringLiteral("中止しました．")) +
                        kAccountFileNotChosenMessage);
    } else {
        messages.inform(notUsedMessage(why, kept, whenUnusable));
    }
    return false;
}

} // namespace mokpe::maintenance
