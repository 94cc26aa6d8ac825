#pragma once

#include "maintenance/editor_save.h"
#include "maintenance/list_grid.h"
#include "maintenance/user_table.h"

// The user editor's grid ("使用者登録"): No. and the user entry, at most 20,000
// rows with the heading row (19,999 users).
namespace mokpe::maintenance {

inline constexpr int kUserColumn = 1;

ListGrid makeUserList();

// The entries, one per row, numbered. No entries leave one empty row, so that
// there is a place to type the first user.
void showUsers(ListGrid &list, const QStringList &entries);
// The rows' entries in grid order, empty rows included: the lines of "person.csv".
QStringList listedEntries(const ListGrid &list);

// Whether two lists hold the same users: empty rows at the end are no users.
bool sameUsers(const QStringList &a, const QStringList &b);

// "保　存": asks, and on Yes writes every row to "person.csv" and replaces the
// user entries (savePersonFile).
EditorSave saveUserEditor(AppState &state, const ListGrid &list, platform::MessageService &messages);

} // namespace mokpe::maintenance
