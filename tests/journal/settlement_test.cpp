#include "journal/settlement.h"

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

// Journal rows from "debit account,debit amount,credit amount,summary".
JournalGrid gridOf(const QStringList &rows)
{
    JournalGrid grid;
    for (int r = 1; r <= rows.size(); ++r) {
        const QStringList f = rows.at(r - 1).split(QLatin1Char(','));
        grid.setRowTexts(r,
                         {QString::number(r), "2026/01/06", f.at(0), f.at(1), QString(), f.at(2), f.at(3)});
    }
    grid.setJournalRowCount(static_cast<int>(rows.size()));
    return grid;
}

struct TotalCase {
    const char *name;
    // The e-money account the construction books charges to.
    QString emoneyAccount;
    QStringList rows;
    QString amount;
    QString shown;
};

void PrintTo(const TotalCase &c, std::ostream *os)
{
    *os << c.name;
}

class TotalMoneyCountTest : public ::testing::TestWithParam<TotalCase> {};

TEST_P(TotalMoneyCountTest, ChargesLessSpending)
{
    const TotalCase &c = GetParam();
    const JournalGrid grid = gridOf(c.rows);
    EXPECT_EQ(TotalMoneyCount(grid, grid.journalRowCount() - 1, c.emoneyAccount), c.amount);
    EXPECT_EQ(settlementLabelFor(grid, c.emoneyAccount), QStringLiteral("精算金額：　　　") + c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TotalMoneyCountTest,
    ::testing::Values(
        TotalCase{"Charge",
                  "電子マネー",
                  {"旅費交通,200,200,a", "旅費交通,300,300,b", "電子マネー,1000,1000,現金 チャージ"},
                  "500",
                  "500"},
        TotalCase{"CashDebitIsNoCharge",
                  "電子マネー",
                  {"旅費交通,500,,", "現金,1000,1000,現金 チャージ"},
                  "-1500",
                  "-1,500"},
        TotalCase{"HalfWidthWords",
                  "電子マネー",
                  {"電子ﾏﾈｰ,3000,3000,ﾁｬｰｼﾞ", "旅費交通,160,160,"},
                  "2840",
                  "2,840"},
        // A charge the construction booked needs no word of it in the summary.
        TotalCase{
            "AutoCharge", "電子マネー", {"電子マネー,3000,3000,ｵｰﾄ", "旅費交通,160,160,"}, "2840", "2,840"},
        // A charge adds its credit amount, whatever its debit amount says.
        TotalCase{
            "ChargeTakesTheCreditAmount", "電子マネー", {"電子マネー,1,5000,チャージ"}, "5000", "5,000"},
        // The 楓林 code system books the card as an advance: its charges are
        // charges whichever export format is chosen.
        TotalCase{"AdvancesWhereTheCardIsAnAdvance",
                  "仮払金",
                  {"仮払金,0,2000,ﾁｬｰｼﾞ", "旅費交通,780,780,", "旅費交通,2000,2000,"},
                  "-780",
                  "-780"},
        TotalCase{"AdvanceIsNoChargeWhereTheCardIsEmoney",
                  "電子マネー",
                  {"仮払金,2000,2000,立替", "電子マネー,1000,1000,チャージ"},
                  "-1000",
                  "-1,000"},
        TotalCase{"NoRows", "電子マネー", {}, "0", "0"},
        TotalCase{"TextAddsNothing",
                  "電子マネー",
                  {"旅費交通,,,", "旅費交通,残金,,", "旅費交通,120,,"},
                  "-120",
                  "-120"},
        // An amount is a whole number of yen: fractions, exponents, full-width
        // digits and hex add nothing (the checks before saving name them).
        TotalCase{
            "OnlyWholeYenAreAmounts",
            "電子マネー",
            {"旅費交通,2.5,,", "旅費交通,1e9,,", "旅費交通,２１０,,", "旅費交通,0x10,,", "旅費交通, 210 ,,"},
            "-210",
            "-210"},
        // Each amount is a 64-bit whole number; the sums are wider still.
        TotalCase{"AmountsPass32Bits",
                  "電子マネー",
                  {"旅費交通,2147483647,,", "旅費交通,2147483648,,"},
                  "-4294967295",
                  "-4,294,967,295"},
        TotalCase{"SumsPass64Bits",
                  "電子マネー",
                  {"旅費交通,9223372036854775807,,", "旅費交通,9223372036854775807,,", "旅費交通,10,,"},
                  "-18446744073709551624",
                  "-18,446,744,073,709,551,624"},
        TotalCase{"SumsPass32Bits",
                  "電子マネー",
                  {"電子マネー,,2000000000,チャージ", "電子マネー,,2000000000,チャージ"},
                  "4000000000",
                  "4,000,000,000"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TotalMoneyCount, CountsRowsOneToTheBoundPlusOne)
{
    const JournalGrid grid = gridOf({"旅費交通,100,,", "旅費交通,20,,", "旅費交通,3,,"});
    EXPECT_EQ(TotalMoneyCount(grid, 0, "電子マネー"), "-100");
    EXPECT_EQ(TotalMoneyCount(grid, -1, "電子マネー"), "0");
    EXPECT_EQ(TotalMoneyCount(grid, grid.rowTotal() + 10, "電子マネー"), "-123");
}

TEST(ThousandsFormat, GroupsByThreeFromTheRight)
{
    const std::pair<QString, QString> cases[] = {
        {"1234567", "1,234,567"},
        {"-123456", "-123,456"},
        {"+1234", "+1,234"},
        {"123", "123"},
        {"-123", "-123"},
        {"12345678", "12,345,678"},
        {"", ""},
        {"0", "0"},
        {"123456789012345678", "123,456,789,012,345,678"},
        {"-9223372036854775808", "-9,223,372,036,854,775,808"},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(Fm2_ThousandsFormat(in), out) << in.toStdString();
}

TEST(BalanceCells, FoundInRowOrderWithoutMovingTheCurrentCell)
{
    JournalGrid grid = gridOf({"a,1,1,", "a,2,2,", "a,3,3,"});
    grid.setCurrent({2, 6});
    EXPECT_EQ(firstBalanceCellRow(grid), std::nullopt);
    grid.setColour(3, CreditAmountColumn, CellColour::Balance);
    grid.setColour(3, DebitAmountColumn, CellColour::Balance);
    grid.setColour(2, CreditAmountColumn, CellColour::Balance);
    grid.setColour(1, DebitAmountColumn, CellColour::Edited);
    // Past the journal rows a red cell is no journal row's.
    grid.setColour(4, DebitAmountColumn, CellColour::Balance);
    EXPECT_EQ(balanceCells(grid), (QList<CellPosition>{{2, 5}, {3, 3}, {3, 5}}));
    EXPECT_EQ(firstBalanceCellRow(grid), 2);
    EXPECT_EQ(grid.current(), (CellPosition{2, 6}));
}

} // namespace
} // namespace mokpe::journal
