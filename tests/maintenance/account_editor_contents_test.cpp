#include "maintenance/account_editor_contents.h"

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

TEST(AccountEditorContents, ALineSplitsAtItsFirstTwoCommas)
{
    struct Case {
        QString line;
        AccountTriple fields;
    };
    const Case cases[] = {
        {QStringLiteral("842,8471,旅費交通費"), {"842", "8471", QStringLiteral("旅費交通費")}},
        {QStringLiteral("842,,旅費交通費"), {"842", "", QStringLiteral("旅費交通費")}},
        {QStringLiteral("842,8471,旅費,交通,費"), {"842", "8471", QStringLiteral("旅費,交通,費")}},
        {QStringLiteral(",,"), {"", "", ""}},
        {QStringLiteral("842,8471"), {"842", "8471", ""}},
        {QStringLiteral("842"), {"842", "", ""}},
        {QString(), {"", "", ""}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(splitAccountLine(c.line), c.fields) << c.line.toStdString();
        if (c.line.count(QLatin1Char(',')) >= 2) {
            EXPECT_EQ(joinAccountLine(c.fields), c.line) << c.line.toStdString();
        }
    }
}

TEST(AccountEditorContents, TheListIsTheTableFromItsThirdLineAndTheBoxesTheSettings)
{
    AppState state;
    state.settings.unsettledAccount = {"000", "0000", QStringLiteral("電子未決")};
    state.settings.emoneyAccount = {"001", "0001", QStringLiteral("電子マネー")};
    state.accounts.lines = {QStringLiteral("186,1882,別名"), QStringLiteral("113,1131,別名2"),
                            QStringLiteral("842,8471,旅費交通費"), QStringLiteral("854,,運,賃"),
                            QStringLiteral("999,9999,先")};
    state.accounts.lastIndex = 3;
    const AccountEditorContents contents = editorContentsFromTable(state);
    EXPECT_EQ(contents.unsettled, state.settings.unsettledAccount);
    EXPECT_EQ(contents.emoney, state.settings.emoneyAccount);
    EXPECT_EQ(contents.rows, (QList<AccountTriple>{{"842", "8471", QStringLiteral("旅費交通費")},
                                                   {"854", "", QStringLiteral("運,賃")}}));
}

TEST(AccountEditorContents, ATableOfFewerThanThreeLinesGivesNoRows)
{
    AppState state;
    for (int last : {-1, 0, 1}) {
        state.accounts.lines = {QStringLiteral("1,2,a"), QStringLiteral("3,4,b")};
        state.accounts.lastIndex = last;
        EXPECT_TRUE(editorContentsFromTable(state).rows.isEmpty()) << last;
    }
}

TEST(AccountEditorContents, TheFileHasTheFixedAccountsFirstThenTheListInOrder)
{
    AccountEditorContents contents;
    contents.unsettled = {"186", "1882", QStringLiteral("電子未決")};
    contents.emoney = {"113", "", QStringLiteral("電子マネー")};
    contents.rows = {{"186", "1882", QStringLiteral("電子未決")}, {"", "", ""}};
    EXPECT_EQ(accountFileLines(contents),
              (QStringList{QStringLiteral("186,1882,電子未決"), QStringLiteral("113,,電子マネー"),
                           QStringLiteral("186,1882,電子未決"), QStringLiteral(",,")}));
}

} // namespace
} // namespace mokpe::maintenance
