#pragma once

#include "common/app_state.h"

#include <QList>

// What the account code editor shows: the two fixed accounts in their boxes and
// the list of accounts, one row per account (3-digit code, 4-digit code, name).
namespace mokpe::maintenance {

struct AccountEditorContents {
    AccountTriple unsettled;
    AccountTriple emoney;
    QList<AccountTriple> rows;
    friend bool operator==(const AccountEditorContents &, const AccountEditorContents &) = default;
};

// A line of the account code file split at its first two commas: the name is
// everything after the second comma, commas included. Missing fields are empty.
AccountTriple splitAccountLine(const QString &line);
QString joinAccountLine(const AccountTriple &account);

// The editor filled from the account code table (lines 3 … are the list) and
// the fixed accounts of the settings record. A table of fewer than three lines
// gives no rows.
AccountEditorContents editorContentsFromTable(const AppState &state);

// Whether two fillings of the editor hold the same accounts: empty rows at the
// end of the list (the room a fresh grid offers) are no accounts.
bool sameAccounts(const AccountEditorContents &a, const AccountEditorContents &b);

// The lines of the account code file: the two fixed accounts, then the list.
QStringList accountFileLines(const AccountEditorContents &contents);

} // namespace mokpe::maintenance
