#include "journal/journal_build.h"

#include "journal/settlement.h"

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

const QString kEmoney = QStringLiteral("電子マネー");
const QString kTravel = QStringLiteral("旅費交通");
const QString kPrefix = QStringLiteral("No.2: 山田，");
const QString kClassicHeader =
    QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考");
const QString kNewerHeader = QStringLiteral("利用年月日,定期,鉄道会社名,入場駅/事業者名,定期,鉄道会社名,"
                                            "出場駅/降車場所,利用額(円),残額(円),メモ");

CardHistory historyOf(int kind, const QStringList &lines)
{
    CardHistory history;
    history.cardKind = kind;
    history.lines = lines;
    history.lines.append(QString());
    history.lastLineIndex = static_cast<int>(lines.size()) - 1;
    return history;
}

// An Edy line: the date, then the yen sign at `yenPosition` (from 1) and the amount.
QString edyLine(const QString &date, int yenPosition, const QString &amount)
{
    QString line = date + QStringLiteral(" 12:00 ｼｮｯﾌﾟ");
    line = line.leftJustified(yenPosition - 1, QLatin1Char(' '));
    return line + QLatin1Char('\\') + amount;
}

struct BuildCase {
    const char *name;
    int kind;
    QStringList lines;
    std::vector<RowTexts> rows;
    QList<CellPosition> balanceCells;
};

void PrintTo(const BuildCase &c, std::ostream *os)
{
    *os << c.name;
}

class JournalBuildTest : public ::testing::TestWithParam<BuildCase> {};

TEST_P(JournalBuildTest, WritesExactRows)
{
    const BuildCase &c = GetParam();
    JournalGrid grid;
    grid.setCurrent({7, 4});
    Fm2_JournalBuild(grid, historyOf(c.kind, c.lines), kEmoney, kPrefix);

    const int count = static_cast<int>(c.rows.size());
    ASSERT_EQ(grid.journalRowCount(), count);
    for (int r = 1; r <= count; ++r) {
        for (int col = 0; col < kColumnCount; ++col)
            EXPECT_EQ(grid.text(r, col), c.rows[static_cast<size_t>(r - 1)][col])
                << "row " << r << " column " << col;
    }
    // Nothing below the journal rows, and only balance cells coloured.
    EXPECT_EQ(grid.lastRowWithText(), count);
    EXPECT_EQ(balanceCells(grid), c.balanceCells);
    for (int r = 1; r <= count; ++r) {
        for (int col = 0; col < kColumnCount; ++col) {
            if (grid.colour(r, col) != CellColour::Balance) {
                EXPECT_EQ(grid.colour(r, col), CellColour::White) << "row " << r << " column " << col;
            }
        }
    }
    EXPECT_EQ(grid.rowTotal(), std::max(kMinimumRowTotal, count + 1));
    EXPECT_EQ(grid.current(), (CellPosition{1, 1}));
    EXPECT_EQ(grid.text(0, SummaryColumn), QStringLiteral("摘要"));
}

// The summary of a transit line: prefix, description, full-width space, remark.
QString transitSummary(const QString &description, const QString &remark = QString())
{
    return kPrefix + description + QStringLiteral("　") + remark;
}

const QString kRouteA = QStringLiteral("ＪＲ東 新宿 出 ＪＲ東 渋谷");
const QString kRouteB = QStringLiteral("場 ﾒﾄﾛ 池袋 出 ﾒﾄﾛ 後楽園");

INSTANTIATE_TEST_SUITE_P(
    Transit, JournalBuildTest,
    ::testing::Values(
        BuildCase{"BalancesFallTowardsTheNewest",
                  TransitCard,
                  {kClassicHeader, "2008/07/21,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,",
                   "2008/07/20,入場,ﾒﾄﾛ,池袋,出,ﾒﾄﾛ,後楽園,1200,",
                   "2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1500,"},
                  {{"1", "2008/07/21", kTravel, "200", kEmoney, "200", transitSummary(kRouteA)},
                   {"2", "2008/07/20", kTravel, "300", kEmoney, "300", transitSummary(kRouteB)},
                   {"3", "2008/07/19", kTravel, "1500", kEmoney, "1500", transitSummary(kRouteA)}},
                  {{3, 3}, {3, 5}}},
        BuildCase{
            "RisingBalanceIsACharge",
            TransitCard,
            {kClassicHeader, "2008/07/21,現,金,,,,,1000,ﾁｬｰｼﾞ",
             "2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,500,"},
            {{"1", "2008/07/21", kEmoney, "500", "", "500", transitSummary("金", QStringLiteral("ﾁｬｰｼﾞ"))},
             {"2", "2008/07/20", kTravel, "500", kEmoney, "500", transitSummary(kRouteA)}},
            {{2, 3}, {2, 5}}},
        BuildCase{"UnchangedBalanceIsSpendingOfZero",
                  TransitCard,
                  {kClassicHeader, "2008/07/21,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,700,",
                   "2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,700,"},
                  {{"1", "2008/07/21", kTravel, "0", kEmoney, "0", transitSummary(kRouteA)},
                   {"2", "2008/07/20", kTravel, "700", kEmoney, "700", transitSummary(kRouteA)}},
                  {{2, 3}, {2, 5}}},
        BuildCase{
            "OldestCashChargeNeedsNoSettling",
            TransitCard,
            {kClassicHeader, "2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,2840,",
             "2008/07/19,現,金,,,,,3000,ﾁｬｰｼﾞ"},
            {{"1", "2008/07/20", kTravel, "160", kEmoney, "160", transitSummary(kRouteA)},
             {"2", "2008/07/19", kEmoney, "3000", "", "3000", transitSummary("金", QStringLiteral("ﾁｬｰｼﾞ"))}},
            {}},
        // The oldest transaction is the last dated line wherever it stands.
        BuildCase{"OnlyDataLineIsTheOldest",
                  TransitCard,
                  {kClassicHeader, "2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1500,"},
                  {{"1", "2008/07/19", kTravel, "1500", kEmoney, "1500", transitSummary(kRouteA)}},
                  {{1, 3}, {1, 5}}},
        BuildCase{"TitleLineBeforeTheHeader",
                  TransitCard,
                  {QStringLiteral("ＳＦカード利用履歴"), kClassicHeader,
                   "2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,",
                   "2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1200,"},
                  {{"1", "2008/07/20", kTravel, "200", kEmoney, "200", transitSummary(kRouteA)},
                   {"2", "2008/07/19", kTravel, "1200", kEmoney, "1200", transitSummary(kRouteA)}},
                  {{2, 3}, {2, 5}}},
        BuildCase{"LinesAfterTheOldest",
                  TransitCard,
                  {kClassicHeader, "2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,",
                   "2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1200,", QString(), QStringLiteral("以上")},
                  {{"1", "2008/07/20", kTravel, "200", kEmoney, "200", transitSummary(kRouteA)},
                   {"2", "2008/07/19", kTravel, "1200", kEmoney, "1200", transitSummary(kRouteA)}},
                  {{2, 3}, {2, 5}}},
        BuildCase{"HeaderOnly", TransitCard, {kClassicHeader}, {}, {}},
        // The first character of field 1 never belongs to the description;
        // commas between fields 1 to 6 become spaces; the remark keeps its
        // commas and loses trailing spaces.
        BuildCase{"DescriptionAndRemark",
                  TransitCard,
                  {kClassicHeader, "2008/07/19,バス等,東京都交通局,,,,  ,1500,窓出, 定期  "},
                  {{"1", "2008/07/19", kTravel, "1500", kEmoney, "1500",
                    kPrefix + QStringLiteral("ス等 東京都交通局　窓出, 定期")}},
                  {{1, 3}, {1, 5}}},
        // A line without its balance: neither neighbouring amount can be
        // known, so both stay empty for the checks before saving to find.
        BuildCase{"MissingBalanceLeavesBothAmountsEmpty",
                  TransitCard,
                  {kClassicHeader, "2008/07/21,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,",
                   "2008/07/20,入,ＪＲ東,新宿", "2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1500,"},
                  {{"1", "2008/07/21", "", "", "", "", transitSummary(kRouteA)},
                   {"2", "2008/07/20", "", "", "", "", kPrefix},
                   {"3", "2008/07/19", kTravel, "1500", kEmoney, "1500", transitSummary(kRouteA)}},
                  {{3, 3}, {3, 5}}},
        BuildCase{"EmptyBalanceField",
                  TransitCard,
                  {kClassicHeader, "2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,,物販",
                   "2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1500,"},
                  {{"1", "2008/07/20", "", "", "", "", transitSummary(kRouteA, QStringLiteral("物販"))},
                   {"2", "2008/07/19", kTravel, "1500", kEmoney, "1500", transitSummary(kRouteA)}},
                  {{2, 3}, {2, 5}}},
        // The newer export: a card line, ten named columns; the oldest line's
        // own amount books it (negative: a charge).
        BuildCase{"NewerExportOldestSpending",
                  TransitCard,
                  {QStringLiteral("カードID=JE80F1234567890A"), kNewerHeader,
                   "2024/05/03,,ＪＲ東,新宿,,ＪＲ東,渋谷,170,1830,", "2024/05/02,,,ｺﾝﾋﾞﾆ,,,,-1000,2000,ﾁｬｰｼﾞ",
                   "2024/05/01,定,ＪＲ東,池袋,,ＪＲ東,新宿,200,1000,定期外"},
                  {{"1", "2024/05/03", kTravel, "170", kEmoney, "170",
                    transitSummary(QStringLiteral("ＪＲ東 新宿  ＪＲ東 渋谷"))},
                   {"2", "2024/05/02", kEmoney, "1000", "", "1000",
                    transitSummary(QStringLiteral("ｺﾝﾋﾞﾆ"), QStringLiteral("ﾁｬｰｼﾞ"))},
                   {"3", "2024/05/01", kTravel, "200", kEmoney, "200",
                    transitSummary(QStringLiteral("ＪＲ東 池袋  ＪＲ東 新宿"), QStringLiteral("定期外"))}},
                  {}},
        BuildCase{"NewerExportOldestCharge",
                  TransitCard,
                  {QStringLiteral("カードID=JE80F1234567890A"), kNewerHeader,
                   "2024/05/02,,ＪＲ東,新宿,,ＪＲ東,渋谷,170,2830,", "2024/05/01,,,現金,,,,-3000,3000,"},
                  {{"1", "2024/05/02", kTravel, "170", kEmoney, "170",
                    transitSummary(QStringLiteral("ＪＲ東 新宿  ＪＲ東 渋谷"))},
                   {"2", "2024/05/01", kEmoney, "3000", "", "3000", transitSummary(QStringLiteral("現金"))}},
                  {}},
        // Without its own amount the oldest line is settled as usual.
        BuildCase{"NewerExportOldestWithoutAmount",
                  TransitCard,
                  {kNewerHeader, "2024/05/01,,ＪＲ東,新宿,,ＪＲ東,渋谷,,830,"},
                  {{"1", "2024/05/01", kTravel, "830", kEmoney, "830",
                    transitSummary(QStringLiteral("ＪＲ東 新宿  ＪＲ東 渋谷"))}},
                  {{1, 3}, {1, 5}}}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Edy, JournalBuildTest,
    ::testing::Values(
        BuildCase{"PaymentAndCharge",
                  Edy,
                  {QStringLiteral("Edy番号 1234-5678"), edyLine("2008/07/21", 28, "1,234"),
                   edyLine("2008/07/20", 27, "5,000"), edyLine("2008/07/19", 40, "120")},
                  {{"1", "2008/07/21", "", "1234", kEmoney, "1234", ""},
                   {"2", "2008/07/20", kEmoney, "5000", "", "5000", kPrefix + QStringLiteral("Edyチャージ")},
                   // Beyond the payment window the amount cannot be found.
                   {"3", "2008/07/19", "", "", kEmoney, "", ""}},
                  {}},
        BuildCase{"SmallChargeAndNoYenSign",
                  Edy,
                  {edyLine("2008/07/21", 12, "500   "), QStringLiteral("2008/07/20 12:00 残高照会")},
                  {{"1", "2008/07/21", kEmoney, "500", "", "500", kPrefix + QStringLiteral("Edyチャージ")},
                   {"2", "2008/07/20", "", "", "", "", ""}},
                  {}}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    MoneyReport, JournalBuildTest,
    ::testing::Values(
        BuildCase{
            "AccountsBySide",
            MoneyReport,
            {QStringLiteral("費目別取引 - 2008年7月"), QStringLiteral("No.,日付,費目,メモ,金額"),
             QStringLiteral(",2008/07/19,給料,７月分,250000"),
             QStringLiteral("1,2008/07/20,現金,引出し,-1500"), QStringLiteral("2,2008/07/21,食費,昼食,-800"),
             QStringLiteral("3,2008/07/22,,メモのみ,-300"), QStringLiteral("4,2008/07/23,交通費,バス,不明"),
             QStringLiteral("2008/07/24,日付から始まる行"), QStringLiteral("合計,,,,-2600")},
            {{"1", "2008/07/19", QStringLiteral("給料"), "250000", "", "250000",
              kPrefix + QStringLiteral("７月分")},
             {"2", "2008/07/20", "", "1500", QStringLiteral("現金"), "1500",
              kPrefix + QStringLiteral("引出し")},
             {"3", "2008/07/21", "", "800", "", "800", kPrefix + QStringLiteral("食費")},
             {"4", "2008/07/22", "", "300", "", "300", kPrefix + QStringLiteral("メモのみ")},
             {"5", "2008/07/23", "", "", "", "", kPrefix + QStringLiteral("交通費")}},
            {}},
        BuildCase{"DatedLineNumberIsOverwritten",
                  MoneyReport,
                  {QStringLiteral("支払先/支払元別取引"), QStringLiteral("2008/07/01,見出し"),
                   QStringLiteral("1,2008/07/19,電子マネー,チャージ,3000")},
                  {{"1", "2008/07/19", "", "3000", QStringLiteral("電子マネー"), "3000",
                    kPrefix + QStringLiteral("チャージ")}},
                  {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JournalBuild, LongHistoryGrowsTheGrid)
{
    QStringList lines{kClassicHeader};
    const int dataLines = 2500;
    for (int i = 0; i < dataLines; ++i)
        lines.append(QStringLiteral("2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,%1,").arg(100000 + i * 10));
    JournalGrid grid;
    Fm2_JournalBuild(grid, historyOf(TransitCard, lines), kEmoney, QString());
    EXPECT_EQ(grid.journalRowCount(), dataLines);
    EXPECT_EQ(grid.rowTotal(), dataLines + 1);
    EXPECT_EQ(grid.text(1999, DebitAmountColumn), QStringLiteral("10"));
    EXPECT_EQ(grid.text(dataLines, DebitAmountColumn), QStringLiteral("124990"));
    EXPECT_EQ(balanceCells(grid), (QList<CellPosition>{{dataLines, 3}, {dataLines, 5}}));
}

} // namespace
} // namespace mokpe::journal
