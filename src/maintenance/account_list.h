#pragma once

#include "maintenance/account_editor_contents.h"
#include "maintenance/editor_save.h"
#include "maintenance/list_grid.h"

// The account code editor's list of accounts ("その他のコードおよび勘定科目"):
// No., 3-digit code, 4-digit code and name, at most 2,000 rows with the
// heading row (1,999 accounts).
namespace mokpe::maintenance {

enum AccountListColumn : int {
    Code3Column = 1,
    Code4Column = 2,
    NameColumn = 3,
};

inline constexpr int kAccountListMaxRowTotal = 2000;
// A fresh window's list: the heading row and two empty account rows.
inline constexpr int kAccountListFreshRowTotal = 3;

ListGrid makeAccountList();

// The accounts, one per row, numbered. Without accounts (a table of fewer than
// three lines) every cell is emptied and the list keeps its rows.
void showAccounts(ListGrid &list, const QList<AccountTriple> &accounts);
// The rows as accounts, in list order, empty rows included.
QList<AccountTriple> listedAccounts(const ListGrid &list);

// "保　存": asks, and on Yes saves the fixed accounts and the list
// (Fm8_KamokuSave, which checks them first).
EditorSave saveAccountCodeEditor(AppState &state, const AccountEditorContents &contents,
                                 platform::MessageService &messages);

} // namespace mokpe::maintenance
