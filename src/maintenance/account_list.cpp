#include "maintenance/account_list.h"

#include "maintenance/account_code_save.h"

namespace mokpe::maintenance {

ListGrid makeAccountList()
{
    return ListGrid({QStringLiteral("No."), QStringLiteral("科目ｺｰﾄﾞ\n３桁"),
                     QStringLiteral("科目ｺｰﾄﾞ\n４桁"), QStringLiteral("科目名")},
                    kAccountListMaxRowTotal, kAccountListFreshRowTotal);
}

void showAccounts(ListGrid &list, const QList<AccountTriple> &accounts)
{
    if (accounts.isEmpty()) {
        list.clear(list.rowTotal());
        return;
    }
    QList<QStringList> rows;
    rows.reserve(accounts.size());
    for (const AccountTriple &a : accounts)
        rows.append({a.code3, a.code4, a.name});
    list.setRows(rows);
}

QList<AccountTriple> listedAccounts(const ListGrid &list)
{
    QList<AccountTriple> accounts;
    accounts.reserve(list.rowTotal() - 1);
    for (int r = 1; r < list.rowTotal(); ++r)
        accounts.append({list.text(r, Code3Column), list.text(r, Code4Column), list.text(r, NameColumn)});
    return accounts;
}

EditorSave saveAccountCodeEditor(AppState &state, const AccountEditorContents &contents,
                                 platform::MessageService &messages)
{
    if (!askToSave(messages))
        return EditorSave::Declined;
    return Fm8_KamokuSave(state, contents, messages) ? EditorSave::Saved : EditorSave::Failed;
}

} // namespace mokpe::maintenance
