#include "journal/settlement.h"

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

// One journal row as the sums see it.
struct AmountRow {
    QString debitAccount;
    QString debitAmount;
    QString creditAmount;
    QString summary;
};

JournalGrid gridWith(const std::vector<AmountRow> &rows)
{
    JournalGrid grid;
    int r = 1;
    for (const AmountRow &row : rows) {
        grid.setRowTexts(r, {QString::number(r), QStringLiteral("2026/01/0%1").arg(r), row.debitAccount,
                             row.debitAmount, QString(), row.creditAmount, row.summary});
        ++r;
    }
    grid.setJournalRowCount(static_cast<int>(rows.size()));
    return grid;
}

const QString kTravel = QStringLiteral("旅費交通");
const QString kEmoney = QStringLiteral("電子マネー");
const QString kCharge = QStringLiteral("現金 チャージ");

struct TotalCase {
    const char *name;
    QString formatChoice;
    std::vector<AmountRow> rows;
    QString amount;
    QString label;
};

void PrintTo(const TotalCase &c, std::ostream *os)
{
    *os << c.name;
}

class TotalMoneyCountTest : public ::testing::TestWithParam<TotalCase> {};

TEST_P(TotalMoneyCountTest, SumsChargesAgainstSpending)
{
    const TotalCase &c = GetParam();
    const JournalGrid grid = gridWith(c.rows);
    EXPECT_EQ(TotalMoneyCount(grid, grid.journalRowCount() - 1, c.formatChoice), c.amount);
    EXPECT_EQ(settlementLabelFor(grid, c.formatChoice), QStringLiteral("精算金額：　　　") + c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TotalMoneyCountTest,
    ::testing::Values(
        TotalCase{
            "ChargeMinusSpending",
            "0",
            {{kTravel, "200", "200", "a"}, {kTravel, "300", "300", "b"}, {kEmoney, "1000", "1000", kCharge}},
            "500",
            "500"},
        TotalCase{"ChargeWithCashDebitIsSpending",
                  "0",
                  {{kTravel, "200", "200", "a"},
                   {kTravel, "300", "300", "b"},
                   {QStringLiteral("現金"), "1000", "1000", kCharge}},
                  "-1500",
                  "-1,500"},
        TotalCase{"HalfWidthChargeWordsCount",
                  "3",
                  {{QStringLiteral("電子ﾏﾈｰ"), "3000", "3000", QStringLiteral("現金 ﾁｬｰｼﾞ")},
                   {kTravel, "160", "160", ""}},
                  "2840",
                  "2,840"},
        // A charge adds its credit amount, whatever its debit amount says.
        TotalCase{"ChargeTakesTheCreditAmount", "0", {{kEmoney, "1", "5000", kCharge}}, "5000", "5,000"},
        TotalCase{"AdvancesAreChargesUnderFormatFour",
                  "4",
                  {{QStringLiteral("仮払金"), "0", "2000", "立替"}, {kEmoney, "1000", "1000", kCharge}},
                  "1000",
                  "1,000"},
        TotalCase{"FormatFourComparesAsANumber",
                  " 4 ",
                  {{QStringLiteral("仮払金"), "0", "2000", ""}},
                  "2000",
                  "2,000"},
        TotalCase{"NoRows", "0", {}, "0", "0"},
        TotalCase{
            "TextAndEmptyCellsAddNothing",
            "0",
            {{kTravel, "", "", ""}, {kTravel, QStringLiteral("残金"), "", ""}, {kTravel, "120", "", ""}},
            "-120",
            "-120"},
        TotalCase{"FractionsRoundHalfToEven",
                  "0",
                  {{kTravel, "2.5", "", ""}, {kTravel, "3.5", "", ""}, {kTravel, "0.51", "", ""}},
                  "-7",
                  "-7"},
        // Beyond a 32-bit whole number a cell is no amount.
        TotalCase{"AmountsBeyond32BitsAddNothing",
                  "0",
                  {{kTravel, "2147483647", "", ""}, {kTravel, "2147483648", "", ""}},
                  "-2147483647",
                  "-2,147,483,647"},
        // Many large amounts: the sums are 64-bit.
        TotalCase{"SumsPass32Bits",
                  "0",
                  {{kEmoney, "", "2000000000", kCharge},
                   {kEmoney, "", "2000000000", kCharge},
                   {kEmoney, "", "2000000000", kCharge}},
                  "6000000000",
                  "6,000,000,000"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TotalMoneyCount, CountsRowsOneToTheBoundPlusOne)
{
    JournalGrid grid =
        gridWith({{kTravel, "100", "100", ""}, {kTravel, "20", "20", ""}, {kTravel, "3", "3", ""}});
    EXPECT_EQ(TotalMoneyCount(grid, 0, "0"), "-100");
    EXPECT_EQ(TotalMoneyCount(grid, 1, "0"), "-120");
    EXPECT_EQ(TotalMoneyCount(grid, -1, "0"), "0");
    // Rows past the grid's end are not there to count.
    EXPECT_EQ(TotalMoneyCount(grid, grid.rowTotal() + 10, "0"), "-123");
}

struct FormatCase {
    QString in;
    QString out;
};

TEST(ThousandsFormat, GroupsByThreeFromTheRight)
{
    const FormatCase cases[] = {
        {"1234567", "1,234,567"},
        {"-123456", "-123,456"},
        {"+1234", "+1,234"},
        {"123", "123"},
        {"-123", "-123"},
        {"1000", "1,000"},
        {"12345678", "12,345,678"},
        {"", ""},
        {"0", "0"},
        {"123456789012345678", "123,456,789,012,345,678"},
    };
    for (const FormatCase &c : cases)
        EXPECT_EQ(Fm2_ThousandsFormat(c.in), c.out) << c.in.toStdString();
}

TEST(BalanceCells, FoundInRowOrderWithoutMovingTheCurrentCell)
{
    JournalGrid grid = gridWith({{kTravel, "1", "1", ""}, {kTravel, "2", "2", ""}, {kTravel, "3", "3", ""}});
    grid.setCurrent({2, 6});
    EXPECT_TRUE(balanceCells(grid).isEmpty());
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
