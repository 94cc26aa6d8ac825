#include "journal/journal_build.h"

#include "journal/journal_file.h"
#include "journal/settlement.h"

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

const QString kHeader = QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考");
const QString kNewerHeader = QStringLiteral("利用年月日,定期,鉄道会社名,入場駅/事業者名,定期,鉄道会社名,"
                                            "出場駅/降車場所,利用額(円),残額(円),メモ");

// An Edy line with its yen sign at `yenPosition` (from 1).
QString edyLine(const QString &date, int yenPosition, const QString &amount)
{
    return (date + QStringLiteral(" 12:00 ｼｮｯﾌﾟ")).leftJustified(yenPosition - 1) + QLatin1Char('\\') +
           amount;
}

// The history lines, the journal rows as journal-file lines, and the balance
// cells left ("row:column" in order).
struct BuildCase {
    const char *name;
    int kind;
    QStringList lines;
    QStringList rows;
    QString balanceCells;
    // What earlier reads of the card booked.
    BookedLines booked = {};
};

void PrintTo(const BuildCase &c, std::ostream *os)
{
    *os << c.name;
}

class JournalBuildTest : public ::testing::TestWithParam<BuildCase> {};

TEST_P(JournalBuildTest, WritesExactRows)
{
    const BuildCase &c = GetParam();
    CardHistory history;
    history.cardKind = c.kind;
    history.lines = c.lines + QStringList{QString()};
    history.lastLineIndex = static_cast<int>(c.lines.size()) - 1;
    JournalGrid grid;
    grid.setCurrent({7, 4});
    Fm2_JournalBuild(grid, history, QStringLiteral("電子マネー"), QStringLiteral("P，"), c.booked);

    QStringList rows;
    for (int r = 1; r <= grid.journalRowCount(); ++r)
        rows.append(journalFileLine(grid, r));
    EXPECT_EQ(rows, c.rows);
    QStringList cells;
    for (const CellPosition &cell : balanceCells(grid))
        cells.append(QStringLiteral("%1:%2").arg(cell.row).arg(cell.column));
    EXPECT_EQ(cells.join(' '), c.balanceCells);
    // Nothing below the journal rows; the grid as the editor opens it.
    EXPECT_EQ(grid.lastRowWithText(), grid.journalRowCount());
    EXPECT_EQ(grid.rowTotal(), std::max(kMinimumRowTotal, grid.journalRowCount() + 1));
    EXPECT_EQ(grid.current(), (CellPosition{1, 1}));
}

const QString kRoute = QStringLiteral(",入,ＪＲ東,新宿,出,ＪＲ東,渋谷,");
// Four days of one route, for what earlier reads booked of them.
const QStringList kFourDays{kHeader, "2008/07/24" + kRoute + "600,", "2008/07/23" + kRoute + "800,",
                            "2008/07/22" + kRoute + "1000,", "2008/07/21" + kRoute + "1300,"};

INSTANTIATE_TEST_SUITE_P(
    Transit, JournalBuildTest,
    ::testing::Values(
        BuildCase{"BalancesFallTowardsTheNewest",
                  TransitCard,
                  {kHeader, "2008/07/21" + kRoute + "1000,", "2008/07/20,現,金,,,,,1200,ﾁｬｰｼﾞ",
                   "2008/07/19" + kRoute + "1500,"},
                  {"1,2008/07/21,旅費交通,200,電子マネー,200,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　",
                   "2,2008/07/20,旅費交通,300,電子マネー,300,P，金　ﾁｬｰｼﾞ",
                   "3,2008/07/19,旅費交通,1500,電子マネー,1500,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　"},
                  "3:3 3:5"},
        BuildCase{"RisingBalanceIsAChargeAndOldestCashChargeIsBooked",
                  TransitCard,
                  {kHeader, "2008/07/20" + kRoute + "1000,", "2008/07/19,現,金,,,,,500,ﾁｬｰｼﾞ"},
                  {"1,2008/07/20,電子マネー,500,,500,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　",
                   "2,2008/07/19,電子マネー,500,,500,P，金　ﾁｬｰｼﾞ"},
                  ""},
        // An older read brought in late: its newest lines were booked, the
        // rest are priced from their own balances.
        BuildCase{"NewestBookedByAnEarlierRead",
                  TransitCard,
                  kFourDays,
                  {"1,2008/07/22,旅費交通,300,電子マネー,300,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　",
                   "2,2008/07/21,旅費交通,1300,電子マネー,1300,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　"},
                  "2:3 2:5",
                  {{true, true}}},
        // A newer read: the newest booked line prices the oldest new row.
        BuildCase{"OldestBookedByAnEarlierRead",
                  TransitCard,
                  kFourDays,
                  {"1,2008/07/24,旅費交通,200,電子マネー,200,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　",
                   "2,2008/07/23,旅費交通,200,電子マネー,200,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　"},
                  "",
                  {{false, false, true, true}}},
        // An older read that filled a gap between stored lines: the booked
        // line below the new ones prices the oldest of them.
        BuildCase{"NewestAndOldestBookedByEarlierReads",
                  TransitCard,
                  kFourDays,
                  {"1,2008/07/23,旅費交通,200,電子マネー,200,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　",
                   "2,2008/07/22,旅費交通,300,電子マネー,300,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　"},
                  "",
                  {{true, false, false, true}}},
        // The oldest transaction is the last dated line wherever it stands.
        BuildCase{"OnlyDataLine",
                  TransitCard,
                  {kHeader, "2008/07/19" + kRoute + "1500,"},
                  {"1,2008/07/19,旅費交通,1500,電子マネー,1500,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　"},
                  "1:3 1:5"},
        BuildCase{"TitleBeforeAndLinesAfter",
                  TransitCard,
                  {QStringLiteral("ＳＦカード利用履歴"), kHeader, "2008/07/20" + kRoute + "1000,",
                   "2008/07/19" + kRoute + "1200,", QString(), QStringLiteral("以上")},
                  {"1,2008/07/20,旅費交通,200,電子マネー,200,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　",
                   "2,2008/07/19,旅費交通,1200,電子マネー,1200,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　"},
                  "2:3 2:5"},
        BuildCase{"HeaderOnly", TransitCard, {kHeader}, {}, ""},
        // Field 1 loses its first character, commas in fields 1 to 6 become
        // spaces, the remark keeps its commas and loses trailing spaces.
        BuildCase{"DescriptionAndRemark",
                  TransitCard,
                  {kHeader, QStringLiteral("2008/07/19,バス等,東京都交通局,,,,  ,1500,窓出, 定期  ")},
                  {"1,2008/07/19,旅費交通,1500,電子マネー,1500,P，ス等 東京都交通局　窓出, 定期"},
                  "1:3 1:5"},
        // Without a balance neither neighbouring amount is known: both stay
        // empty for the checks before saving to find.
        BuildCase{"MissingAndEmptyBalances",
                  TransitCard,
                  {kHeader, "2008/07/22" + kRoute + "1000,", QStringLiteral("2008/07/21,入,ＪＲ東"),
                   "2008/07/20" + kRoute + ",物販", "2008/07/19" + kRoute + "1500,"},
                  {"1,2008/07/22,,,,,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　", "2,2008/07/21,,,,,P，",
                   "3,2008/07/20,,,,,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　物販",
                   "4,2008/07/19,旅費交通,1500,電子マネー,1500,P，ＪＲ東 新宿 出 ＪＲ東 渋谷　"},
                  "4:3 4:5"},
        // The newer export: its own columns; the oldest line's amount books it.
        BuildCase{"NewerExportOldestCharge",
                  TransitCard,
                  {QStringLiteral("カードID=JE80F1234567890A"), kNewerHeader,
                   "2024/05/02,,ＪＲ東,新宿,,ＪＲ東,渋谷,170,2830,", "2024/05/01,,,現金,,,,-3000,3000,ﾁｬｰｼﾞ"},
                  {"1,2024/05/02,旅費交通,170,電子マネー,170,P，ＪＲ東 新宿  ＪＲ東 渋谷　",
                   "2,2024/05/01,電子マネー,3000,,3000,P，現金　ﾁｬｰｼﾞ"},
                  ""},
        BuildCase{"NewerExportOldestWithoutAmount",
                  TransitCard,
                  {kNewerHeader, "2024/05/01,,ＪＲ東,新宿,,ＪＲ東,渋谷,,830,"},
                  {"1,2024/05/01,旅費交通,830,電子マネー,830,P，ＪＲ東 新宿  ＪＲ東 渋谷　"},
                  "1:3 1:5"}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Others, JournalBuildTest,
    ::testing::Values(
        // Yen sign at 28 or later: a payment; before: a charge.
        BuildCase{"EdyPositions",
                  Edy,
                  {QStringLiteral("Edy番号"), edyLine("2008/07/21", 28, "1,234"),
                   edyLine("2008/07/20", 27, "5,000  "), edyLine("2008/07/19", 40, "120"),
                   QStringLiteral("2008/07/18 残高照会")},
                  {"1,2008/07/21,,1234,電子マネー,1234,", "2,2008/07/20,電子マネー,5000,,5000,P，Edyチャージ",
                   "3,2008/07/19,,,電子マネー,,", "4,2008/07/18,,,,,"},
                  ""},
        BuildCase{"MoneyReport",
                  MoneyReport,
                  {QStringLiteral("費目別取引"), QStringLiteral("No.,日付,費目,メモ,金額"),
                   QStringLiteral(",2008/07/19,給料,７月分,250000"),
                   QStringLiteral("1,2008/07/20,現金,引出し,-1500"),
                   QStringLiteral("2008/07/24,日付から始まる行"),
                   QStringLiteral("2,2008/07/21,食費,昼食,不明"),
                   QStringLiteral("2008/07/25,日付から始まる行"), QStringLiteral("合計,,,,247400")},
                  {"1,2008/07/19,給料,250000,,250000,P，７月分", "2,2008/07/20,,1500,現金,1500,P，引出し",
                   "3,2008/07/21,,,,,P，食費"},
                  ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JournalBuild, LongHistoryGrowsTheGrid)
{
    CardHistory history;
    history.lines = {kHeader};
    for (int i = 0; i < 2500; ++i)
        history.lines.append("2008/07/19" + kRoute + QString::number(100000 + i * 10) + ',');
    history.lastLineIndex = 2500;
    history.lines.append(QString());
    JournalGrid grid;
    Fm2_JournalBuild(grid, history, QStringLiteral("電子マネー"), QString());
    EXPECT_EQ(grid.journalRowCount(), 2500);
    EXPECT_EQ(grid.rowTotal(), 2501);
    EXPECT_EQ(grid.text(2500, DebitAmountColumn), QStringLiteral("124990"));
    EXPECT_EQ(balanceCells(grid), (QList<CellPosition>{{2500, 3}, {2500, 5}}));
}

} // namespace
} // namespace mokpe::journal
