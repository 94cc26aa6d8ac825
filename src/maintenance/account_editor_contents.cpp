#include "maintenance/account_editor_contents.h"

#include <algorithm>

namespace mokpe::maintenance {

AccountTriple splitAccountLine(const QString &line)
{
    AccountTriple account;
    const qsizetype first = line.indexOf(QLatin1Char(','));
    if (first < 0) {
        account.code3 = line;
        return account;
    }
    account.code3 = line.left(first);
    const qsizetype second = line.indexOf(QLatin1Char(','), first + 1);
    if (second < 0) {
        account.code4 = line.mid(first + 1);
        return account;
    }
    account.code4 = line.mid(first + 1, second - first - 1);
    account.name = line.mid(second + 1);
    return account;
}

bool sameAccounts(const AccountEditorContents &a, const AccountEditorContents &b)
{
    const auto used = [](const QList<AccountTriple> &rows) {
        qsizetype n = rows.size();
        while (n > 0 && rows[n - 1] == AccountTriple{})
            --n;
        return rows.first(n);
    };
    return a.unsettled == b.unsettled && a.emoney == b.emoney && used(a.rows) == used(b.rows);
}

QString joinAccountLine(const AccountTriple &account)
{
    return account.code3 + QLatin1Char(',') + account.code4 + QLatin1Char(',') + account.name;
}

AccountEditorContents editorContentsFromTable(const AppState &state)
{
    AccountEditorContents contents;
    contents.unsettled = state.settings.unsettledAccount;
    contents.emoney = state.settings.emoneyAccount;
    const AccountCodeTable &table = state.accounts;
    const qsizetype last = std::min<qsizetype>(table.lastIndex, table.lines.size() - 1);
    for (qsizetype i = 2; i <= last; ++i)
        contents.rows.append(splitAccountLine(table.lines.at(i)));
    return contents;
}

QStringList accountFileLines(const AccountEditorContents &contents)
{
    QStringList lines;
    lines.reserve(contents.rows.size() + 2);
    lines.append(joinAccountLine(contents.unsettled));
    lines.append(joinAccountLine(contents.emoney));
    for (const AccountTriple &row : contents.rows)
        lines.append(joinAccountLine(row));
    return lines;
}

} // namespace mokpe::maintenance
