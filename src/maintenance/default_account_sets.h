#pragma once

#include "maintenance/account_editor_contents.h"

// The two built-in account sets a new table starts from ("初回読込み"). Both hold
// the same 16 list accounts with the same 3-digit codes; they differ in the
// 4-digit codes, in one name and in the two fixed accounts.
namespace mokpe::maintenance {

enum class DefaultAccountSet {
    WCodes,      // "Ｗコード"
    FuurinCodes, // "　楓林　コード"
};

AccountEditorContents defaultSetContents(DefaultAccountSet set);

// What the editor's value for the set last loaded is: 1 Ｗ, 0 楓林.
int defaultSetFlag(DefaultAccountSet set);

// Loading a set fills only the editor; it also records which set was loaded
// last in this run (the save compares it with the code system in force).
AccountEditorContents loadDefaultSet(AppState &state, DefaultAccountSet set);

} // namespace mokpe::maintenance
