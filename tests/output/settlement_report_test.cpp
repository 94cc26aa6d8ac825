#include "output/settlement_report.h"

#include "common/app_state.h"
#include "output/column_fit.h"

#include "support/report_journals.h"

#include <gtest/gtest.h>

#include <optional>

namespace mokpe::output {
namespace {

using journal::RowTexts;

constexpr double kExact = 1e-9;
const QString kFace = QStringLiteral("ＭＳ　明朝");
const QString kLabel = QStringLiteral("精算金額：　　　1,500");

double textY(int tableRow)
{
    return 15.5 + 5 * tableRow;
}

// The one text of the page in the band of a table row whose x lies in [left, right).
std::optional<ReportText> textIn(const ReportPage &page, int tableRow, double left, double right)
{
    std::optional<ReportText> found;
    for (const ReportText &t : page.texts) {
        if (std::abs(t.y - textY(tableRow)) < kExact && t.x >= left && t.x < right) {
            EXPECT_FALSE(found) << "two texts in one cell: " << t.text.toStdString();
            found = t;
        }
    }
    return found;
}

std::optional<ReportText> textNamed(const ReportPage &page, const QString &text)
{
    for (const ReportText &t : page.texts) {
        if (t.text == text)
            return t;
    }
    return std::nullopt;
}

SettlementReport reportOf(const journal::JournalGrid &grid, int cardKind = TransitCard,
                          const QString &sourceName = QStringLiteral("a.csv"), const QString &label = kLabel)
{
    return SettlementReport(grid, cardKind, sourceName, label, QStringLiteral("電子マネー"),
                            ReportFontMetrics());
}

// --- pages -----------------------------------------------------------------

struct PagingCase {
    int rows;
    std::vector<int> rowsOnPages;
};

void PrintTo(const PagingCase &c, std::ostream *os)
{
    *os << c.rows << " rows";
}

class ReportPagingTest : public ::testing::TestWithParam<PagingCase> {};

TEST_P(ReportPagingTest, FiftyRowsAPageUnderTheHeadingRowAndTheClosingLineAfterTheLast)
{
    const PagingCase &c = GetParam();
    const journal::JournalGrid grid = test::sampleJournal(c.rows);
    const SettlementReport report = reportOf(grid);
    const int pages = static_cast<int>(c.rowsOnPages.size());
    ASSERT_EQ(report.pageCount(), pages);
    const double closingDrop = ReportFontMetrics().lineHeight(7) + 5;

    int gridRow = 1;
    for (int index = 0; index < pages; ++index) {
        SCOPED_TRACE(index + 1);
        const ReportPage page = report.page(index);
        const int dataRows = c.rowsOnPages[static_cast<size_t>(index)];
        EXPECT_EQ(page.rects.size(), static_cast<size_t>(6 * (dataRows + 1)));
        // The heading row first, on every page.
        const QString headings[] = {QStringLiteral("Ｎｏ．"),   QStringLiteral("日　付"),
                                    QStringLiteral("相手科目"), QStringLiteral("支出金額"),
                                    QStringLiteral("収入金額"), QStringLiteral("摘　要")};
        const double headingX[] = {25, 40.0 + 2.0 / 3, 62, 89, 116, 154.0 + 1.0 / 3};
        for (int col = 0; col < 6; ++col) {
            const auto heading = textNamed(page, headings[col]);
            ASSERT_TRUE(heading) << headings[col].toStdString();
            EXPECT_NEAR(heading->x, headingX[col], kExact);
            EXPECT_NEAR(heading->y, 20.5, kExact);
            EXPECT_EQ(heading->pointSize, 9);
        }
        EXPECT_EQ(page.rects.front(), (ReportRect{20, 19, 15, 5}));
        EXPECT_EQ(page.rects.back(), (ReportRect{136, 14 + 5.0 * (dataRows + 1), 55, 5}));
        // Table row r holds grid row (page - 1) * 50 + r - 1: its date is in its band.
        for (int r = 2; r <= dataRows + 1; ++r, ++gridRow) {
            const auto date = textIn(page, r, 37, 38);
            ASSERT_TRUE(date) << "table row " << r;
            EXPECT_EQ(date->text, grid.text(gridRow, journal::DateColumn));
        }
        const auto closing = textNamed(page, kLabel);
        EXPECT_EQ(closing.has_value(), index == pages - 1);
        if (closing) {
            EXPECT_NEAR(closing->x, 88, kExact);
            EXPECT_NEAR(closing->y, textY(dataRows + 1) + closingDrop, kExact);
            EXPECT_EQ(closing->pointSize, 12);
            EXPECT_FALSE(closing->emphasis);
        }
    }
    EXPECT_EQ(gridRow, c.rows + 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReportPagingTest,
                         ::testing::Values(PagingCase{1, {1}}, PagingCase{50, {50}}, PagingCase{51, {50, 1}},
                                           PagingCase{100, {50, 50}}, PagingCase{101, {50, 50, 1}},
                                           PagingCase{120, {50, 50, 20}}));

TEST(SettlementReport, EmptyJournalGivesOnlyTheClosingLineAtTheTop)
{
    const journal::JournalGrid grid = test::journalOf({});
    const SettlementReport report = reportOf(grid);
    ASSERT_EQ(report.pageCount(), 1);
    const ReportPage page = report.page(0);
    EXPECT_TRUE(page.rects.empty());
    ASSERT_EQ(page.texts.size(), 1u);
    EXPECT_EQ(page.texts[0], (ReportText{kLabel, 88, 5, 12, false, kFace}));

    // An empty label prints nothing at all.
    const SettlementReport unlabelled = reportOf(grid, TransitCard, QStringLiteral("a.csv"), QString());
    EXPECT_TRUE(unlabelled.page(0).texts.empty());
}

TEST(SettlementReport, PageLineAndHeaderOfTheSecondOfThreePages)
{
    const journal::JournalGrid grid = test::sampleJournal(120);
    const SettlementReport report = reportOf(grid, TransitCard, QStringLiteral("12345678901234567890"));
    const ReportPage page = report.page(1);
    const auto pageLine = textNamed(page, QStringLiteral("Page: 2 / 3"));
    ASSERT_TRUE(pageLine);
    EXPECT_EQ(*pageLine, (ReportText{QStringLiteral("Page: 2 / 3"), 172, 14, 9, false, kFace}));
    // A name of 20 characters is centred on 98 by 1.7 a character: it starts at 81.
    const auto name = textNamed(page, QStringLiteral("12345678901234567890"));
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, (ReportText{QStringLiteral("12345678901234567890"), 81, 10, 12, true, kFace}));
}

struct CardKindCase {
    int cardKind;
    QString label;
    double x;
};

class CardKindLabelTest : public ::testing::TestWithParam<CardKindCase> {};

TEST_P(CardKindLabelTest, StandsInTheTopRightCornerInBold)
{
    const CardKindCase &c = GetParam();
    const journal::JournalGrid grid = test::sampleJournal(3);
    const ReportPage page = reportOf(grid, c.cardKind, QStringLiteral("abc.csv")).page(0);
    const auto label = textNamed(page, c.label);
    ASSERT_TRUE(label);
    EXPECT_EQ(*label, (ReportText{c.label, c.x, 7, 12, true, kFace}));
    // "abc.csv": 98 - 7 * 1.7 / 2.
    const auto name = textNamed(page, QStringLiteral("abc.csv"));
    ASSERT_TRUE(name);
    EXPECT_NEAR(name->x, 92.05, kExact);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CardKindLabelTest,
                         ::testing::Values(CardKindCase{0, QStringLiteral("交通系電子マネー"), 165},
                                           CardKindCase{1, QStringLiteral("Edy"), 172},
                                           CardKindCase{2, QStringLiteral("Original CSV"), 172},
                                           CardKindCase{3, QStringLiteral("Money 2007"), 172}));

// --- one data row ----------------------------------------------------------

struct RowCase {
    const char *name;
    RowTexts row;
    // What stands under "支出金額" and "収入金額", with its x; empty: nothing.
    QString spending;
    double spendingX;
    QString income;
    double incomeX;
};

void PrintTo(const RowCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReportRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(ReportRowTest, AmountGoesToOneColumnRightAlignedByTheOffsetTable)
{
    const RowCase &c = GetParam();
    const journal::JournalGrid grid = test::journalOf({c.row});
    const ReportPage page = reportOf(grid).page(0);

    const auto spending = textIn(page, 2, 82, 109);
    const auto income = textIn(page, 2, 109, 136);
    EXPECT_EQ(spending.has_value(), !c.spending.isEmpty());
    EXPECT_EQ(income.has_value(), !c.income.isEmpty());
    if (spending) {
        EXPECT_EQ(spending->text, c.spending);
        EXPECT_NEAR(spending->x, c.spendingX, kExact);
        EXPECT_EQ(spending->pointSize, 9);
    }
    if (income) {
        EXPECT_EQ(income->text, c.income);
        EXPECT_NEAR(income->x, c.incomeX, kExact);
    }
    // The other columns stand at their fixed places.
    const auto number = textIn(page, 2, 7, 35);
    ASSERT_TRUE(number);
    EXPECT_EQ(number->text, c.row[0]);
    EXPECT_NEAR(number->x, 28, kExact);
    const auto date = textIn(page, 2, 35, 55);
    ASSERT_TRUE(date);
    EXPECT_NEAR(date->x, 35 + 20 / 7.5, kExact);
    const auto account = textIn(page, 2, 55, 82);
    ASSERT_TRUE(account);
    EXPECT_EQ(account->text, c.row[2]);
    EXPECT_NEAR(account->x, 57.7, kExact);
    const auto summary = textIn(page, 2, 136, 191);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->text, c.row[6]);
    EXPECT_NEAR(summary->x, 137.0 + 1.0 / 18, kExact);
    EXPECT_EQ(summary->pointSize, 7);
}

RowTexts spendingRow(const QString &amount)
{
    return {QStringLiteral("1"),
            QStringLiteral("2026/01/06"),
            QStringLiteral("旅費交通費"),
            amount,
            QStringLiteral("現金"),
            QString(),
            QStringLiteral("入 渋谷 出 新宿")};
}

RowTexts row(const QString &debitAccount, const QString &debit, const QString &credit, const QString &summary)
{
    return {QStringLiteral("1"),
            QStringLiteral("2026/01/06"),
            debitAccount,
            debit,
            QStringLiteral("売上高"),
            credit,
            summary};
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, ReportRowTest,
    ::testing::Values(
        RowCase{"OneDigit", spendingRow(QStringLiteral("5")), QStringLiteral("5"), 98.0, QString(), 0},
        RowCase{"TwoDigits", spendingRow(QStringLiteral("45")), QStringLiteral("45"), 96.5, QString(), 0},
        RowCase{"ThreeDigits", spendingRow(QStringLiteral("345")), QStringLiteral("345"), 95.0, QString(), 0},
        RowCase{"FourDigits", spendingRow(QStringLiteral("2345")), QStringLiteral("2,345"), 93.0, QString(),
                0},
        RowCase{"FiveDigits", spendingRow(QStringLiteral("12345")), QStringLiteral("12,345"), 91.8, QString(),
                0},
        RowCase{"SevenDigits", spendingRow(QStringLiteral("1234567")), QStringLiteral("1,234,567"), 77 + 11.5,
                QString(), 0},
        // Money put on the card, as the settlement counts it, is income: a
        // charge booked to the e-money account, or a hand-typed one.
        RowCase{"ChargeIsIncome",
                row(QStringLiteral("電子マネー"), QStringLiteral("900"), QStringLiteral("3000"),
                    QStringLiteral("ｵｰﾄ")),
                QString(), 0, QStringLiteral("3,000"), 104 + 16.0},
        RowCase{"HandTypedChargeIsIncome",
                row(QStringLiteral("電子ﾏﾈｰ"), QStringLiteral("900"), QStringLiteral("20"),
                    QStringLiteral("ﾁｬｰｼﾞ")),
                QString(), 0, QStringLiteral("20"), 104 + 19.5},
        // Cash and a word of e-money in a summary put nothing on the card.
        RowCase{"CashDebitIsSpending",
                row(QStringLiteral("現金"), QStringLiteral("900"), QStringLiteral("1000"),
                    QStringLiteral("精算")),
                QStringLiteral("900"), 95.0, QString(), 0},
        RowCase{"EmoneySummaryAloneIsSpending",
                row(QStringLiteral("旅費交通費"), QStringLiteral("900"), QStringLiteral("20"),
                    QStringLiteral("電子マネー入金")),
                QStringLiteral("900"), 95.0, QString(), 0},
        // The credit amount of a spending row is not printed.
        RowCase{"SpendingRowHidesItsCredit",
                row(QStringLiteral("消耗品費"), QStringLiteral("123456"), QStringLiteral("999"),
                    QStringLiteral("文具")),
                QStringLiteral("123,456"), 77 + 13.5, QString(), 0}));

// --- numbers the offset table has no entry for -----------------------------

struct NumberCase {
    const char *name;
    int column; // 0 the row number, 3 the spending amount
    QString cell;
    QString printed;
    // The table entry whose end the number keeps: its base plus offset.
    double tableStart;
    int tableLength;
};

void PrintTo(const NumberCase &c, std::ostream *os)
{
    *os << c.name;
}

class UncoveredNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(UncoveredNumberTest, EndsWhereTheShorterTableEntryEndsAndStaysInItsColumn)
{
    const NumberCase &c = GetParam();
    RowTexts texts = spendingRow(QStringLiteral("1"));
    texts[static_cast<size_t>(c.column)] = c.cell;
    const journal::JournalGrid grid = test::journalOf({texts});
    const ReportPage page = reportOf(grid).page(0);
    const ColumnSpan column = c.column == 0 ? ColumnSpan{20, 35} : ColumnSpan{82, 109};
    const auto placed = textIn(page, 2, column.left - 13, column.right);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->text, c.printed);
    EXPECT_EQ(placed->pointSize, 9);

    const ReportFontMetrics metrics;
    const double end = placed->x + metrics.width(placed->text, 9);
    const double tableEnd = c.tableStart + metrics.width(c.printed.right(c.tableLength), 9);
    EXPECT_NEAR(end, tableEnd, 1e-6);
    EXPECT_GE(placed->x, column.left);
    EXPECT_LE(end, column.right);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, UncoveredNumberTest,
    ::testing::Values(
        // Row 1000 would start at 7, left of the table: it ends as row 100 does.
        NumberCase{"RowNumberOfFourDigits", 0, QStringLiteral("1000"), QStringLiteral("1000"), 7 + 18.0, 3},
        NumberCase{"NegativeThreeDigits", 3, QStringLiteral("-500"), QStringLiteral("-500"), 77 + 18.0, 3},
        NumberCase{"NegativeSixDigits", 3, QStringLiteral("-123456"), QStringLiteral("-123,456"), 77 + 13.5,
                   7},
        NumberCase{"NegativeNineDigits", 3, QStringLiteral("-123456789"), QStringLiteral("-123,456,789"),
                   77 + 8.5, 11},
        NumberCase{"TenDigits", 3, QStringLiteral("1234567890"), QStringLiteral("1,234,567,890"), 77 + 8.5,
                   11}));

TEST(SettlementReport, NumbersAtTheEdgesOfTheirColumn)
{
    struct Case {
        int column;
        QString cell;
        double x;
        bool smaller;
    };
    const Case cases[] = {
        // Eight characters would end as seven do, starting left of the table:
        // moved inside.
        {0, QStringLiteral("12345678"), 20 + kColumnPadding, false},
        // Nine characters keep the table's offset, even left of the table.
        {0, QStringLiteral("123456789"), 7 + 11.5, false},
        // Wider than the column: set smaller, filling it.
        {3, QStringLiteral("123456789012345678"), 82 + kColumnPadding, true},
    };
    const ReportFontMetrics metrics;
    for (const Case &c : cases) {
        RowTexts texts = spendingRow(QStringLiteral("1"));
        texts[static_cast<size_t>(c.column)] = c.cell;
        const journal::JournalGrid grid = test::journalOf({texts});
        const double left = c.column == 0 ? 0 : 82;
        const auto placed = textIn(reportOf(grid).page(0), 2, left, left == 0 ? 35 : 109);
        ASSERT_TRUE(placed) << c.cell.toStdString();
        EXPECT_NEAR(placed->x, c.x, kExact) << c.cell.toStdString();
        EXPECT_EQ(placed->pointSize < 9, c.smaller) << c.cell.toStdString();
        if (c.smaller) {
            const double end = placed->x + metrics.width(placed->text, placed->pointSize);
            EXPECT_NEAR(end, 109 - kColumnPadding, 1e-6);
        }
    }
}

// --- summaries wider than their column -------------------------------------

struct SummaryCase {
    const char *name;
    int characters;
    bool smaller;
    bool cut;
};

void PrintTo(const SummaryCase &c, std::ostream *os)
{
    *os << c.name;
}

class WideSummaryTest : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(WideSummaryTest, StaysInsideTheTable)
{
    const SummaryCase &c = GetParam();
    const QString kanji = QStringLiteral("東京都新宿区西新宿二丁目渋谷駅前交差点品川横浜");
    QString summary;
    for (int i = 0; i < c.characters; ++i)
        summary.append(kanji.at(i % kanji.size()));
    RowTexts texts = spendingRow(QStringLiteral("1"));
    texts[6] = summary;
    const journal::JournalGrid grid = test::journalOf({texts});
    const auto placed = textIn(reportOf(grid).page(0), 2, 136, 191);
    ASSERT_TRUE(placed);
    const ReportFontMetrics metrics;
    EXPECT_NEAR(placed->x, 137.0 + 1.0 / 18, kExact);
    EXPECT_LE(placed->x + metrics.width(placed->text, placed->pointSize), 191 - kColumnPadding + 1e-9);
    EXPECT_EQ(placed->pointSize < 7, c.smaller);
    EXPECT_GE(placed->pointSize, 5);
    EXPECT_EQ(placed->text.endsWith(QStringLiteral("…")), c.cut);
    if (c.cut) {
        // The longest start of the summary that fits with the ellipsis.
        const QString kept = placed->text.chopped(1);
        EXPECT_TRUE(summary.startsWith(kept));
        const QString longer = summary.left(kept.size() + 1) + QStringLiteral("…");
        EXPECT_GT(placed->x + metrics.width(longer, 5), 191 - kColumnPadding);
    } else {
        EXPECT_EQ(placed->text, summary);
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, WideSummaryTest,
                         ::testing::Values(SummaryCase{"Fits", 20, false, false},
                                           SummaryCase{"SetSmaller", 28, true, false},
                                           SummaryCase{"CutAtTheSmallestSize", 60, true, true}));

// --- the face ----------------------------------------------------------------

TEST(ReportFontMetrics, MinchoFaceMeasuredInMillimetres)
{
    const ReportFontMetrics metrics;
#ifdef Q_OS_WIN
    // Windows' own face (under Wine, the IPA face the test run names so).
    EXPECT_EQ(metrics.resolvedFamily(), QStringLiteral("ＭＳ 明朝"));
#else
    // "ＭＳ　明朝" is not installed here: the IPA face stands in for it.
    EXPECT_EQ(metrics.resolvedFamily(), QStringLiteral("IPAMincho"));
#endif
    // A fixed-pitch Mincho: a digit is half an em, a kanji a whole em (9 pt = 3.175 mm).
    EXPECT_NEAR(metrics.width(QStringLiteral("1"), 9), 3.175 / 2, 1e-3);
    EXPECT_NEAR(metrics.width(QStringLiteral("精算"), 9), 2 * 3.175, 1e-3);
    // A line is at least its em high and less than one and a half.
    const double line = metrics.lineHeight(7);
    EXPECT_GE(line, 7 * 25.4 / 72);
    EXPECT_LT(line, 1.5 * 7 * 25.4 / 72);
}

} // namespace
} // namespace mokpe::output
