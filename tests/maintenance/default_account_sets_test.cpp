#include "maintenance/default_account_sets.h"

#include "maintenance/account_file_texts.h"
#include "maintenance/code_system_detection.h"

#include "common/text_file.h"

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

QStringList expectedLines(const QString &fileText)
{
    return common::splitLines(fileText);
}

TEST(DefaultAccountSets, EachSetGivesItsTwoFixedAccountsAndSixteenListAccounts)
{
    EXPECT_EQ(accountFileLines(defaultSetContents(DefaultAccountSet::WCodes)),
              expectedLines(test::kWCodeFileText));
    EXPECT_EQ(accountFileLines(defaultSetContents(DefaultAccountSet::FuurinCodes)),
              expectedLines(test::kFuurinCodeFileText));
}

TEST(DefaultAccountSets, TheSetsShareTheirThreeDigitCodes)
{
    const AccountEditorContents w = defaultSetContents(DefaultAccountSet::WCodes);
    const AccountEditorContents f = defaultSetContents(DefaultAccountSet::FuurinCodes);
    ASSERT_EQ(w.rows.size(), 16);
    ASSERT_EQ(f.rows.size(), 16);
    for (qsizetype i = 0; i < w.rows.size(); ++i) {
        EXPECT_EQ(w.rows[i].code3, f.rows[i].code3) << i;
        EXPECT_NE(w.rows[i].code4, f.rows[i].code4) << i;
    }
    EXPECT_EQ(w.unsettled.code3, f.unsettled.code3);
    EXPECT_EQ(w.emoney.code3, f.emoney.code3);
}

TEST(DefaultAccountSets, TheWSetIsDetectedAsWAndTheFuurinSetIsNot)
{
    for (const auto set : {DefaultAccountSet::WCodes, DefaultAccountSet::FuurinCodes}) {
        AppState state;
        state.accounts.lines = accountFileLines(defaultSetContents(set));
        state.accounts.lastIndex = static_cast<int>(state.accounts.lines.size()) - 1;
        state.codeSystemState = -1;
        KamokuKindCheck(state);
        EXPECT_EQ(state.codeSystemState, defaultSetFlag(set));
    }
}

TEST(DefaultAccountSets, LoadingASetRecordsWhichOneWasLoaded)
{
    AppState state;
    EXPECT_EQ(state.accountEditorDefaultSet, 0);
    loadDefaultSet(state, DefaultAccountSet::WCodes);
    EXPECT_EQ(state.accountEditorDefaultSet, 1);
    EXPECT_EQ(loadDefaultSet(state, DefaultAccountSet::FuurinCodes),
              defaultSetContents(DefaultAccountSet::FuurinCodes));
    EXPECT_EQ(state.accountEditorDefaultSet, 0);
}

} // namespace
} // namespace mokpe::maintenance
