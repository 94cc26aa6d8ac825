#include "output/settlement_report.h"

#include "common/app_state.h"
#include "common/yen_amount.h"
#include "journal/settlement.h"
#include "output/column_fit.h"

#include <algorithm>

namespace mokpe::output {

namespace {

constexpr double kHeaderPoints = 12.0;
constexpr double kTablePoints = 9.0;
constexpr double kClosingPoints = 12.0;
constexpr double kClosingLineX = 88.0;
// The closing line stands this far below the last line written.
constexpr double kClosingLineGap = 5.0;
// The file name is centred on this x by an estimate of its width per character.
constexpr double kFileNameCentre = 98.0;
constexpr double kFileNameCharacterWidth = 1.7;
constexpr double kFileNameY = 10.0;
constexpr double kPageLineX = 172.0;
constexpr double kPageLineY = 14.0;
constexpr double kCardKindY = 7.0;

enum ReportColumnIndex { NumberCol, DateCol, AccountCol, SpendingCol, IncomeCol, SummaryCol };

double rowTop(int tableRow)
{
    return kReportTableTop + kReportRowHeight * tableRow;
}

double textY(int tableRow)
{
    return rowTop(tableRow) + kReportTextDrop;
}

ColumnSpan span(ReportColumnIndex index)
{
    const ReportColumn &column = reportColumns()[index];
    return {column.left, column.left + column.width};
}

} // namespace

const std::array<ReportColumn, 6> &reportColumns()
{
    static const std::array<ReportColumn, 6> columns = {{
        {QStringLiteral("Ｎｏ．"), 20, 15},
        {QStringLiteral("日　付"), 35, 20},
        {QStringLiteral("相手科目"), 55, 27},
        {QStringLiteral("支出金額"), 82, 27},
        {QStringLiteral("収入金額"), 109, 27},
        {QStringLiteral("摘　要"), 136, 55},
    }};
    return columns;
}

ReportText cardKindLabel(int cardKind)
{
    ReportText label;
    label.y = kCardKindY;
    label.pointSize = kHeaderPoints;
    label.emphasis = true;
    label.family = platform::kReportFace;
    switch (cardKind) {
    case TransitCard:
        label.text = QStringLiteral("交通系電子マネー");
        label.x = 165;
        break;
    case Edy:
        label.text = QStringLiteral("Edy");
        label.x = 172;
        break;
    case JournalFile:
        label.text = QStringLiteral("Original CSV");
        label.x = 172;
        break;
    case MoneyReport:
        label.text = QStringLiteral("Money 2007");
        label.x = 172;
        break;
    default:
        break;
    }
    return label;
}

SettlementReport::SettlementReport(const journal::JournalGrid &grid, int cardKind, QString sourceName,
                                   QString settlementLabel, QString emoneyAccount, ReportFontMetrics metrics)
    : grid_(grid), rowCount_(std::clamp(grid.journalRowCount(), 0, grid.rowTotal() - 1)), cardKind_(cardKind),
      sourceName_(std::move(sourceName)), settlementLabel_(std::move(settlementLabel)),
      emoneyAccount_(std::move(emoneyAccount)), metrics_(std::move(metrics)),
      // The last text of a page is a row's summary in 7 point; the closing line
      // keeps the height of one such line, measured with the installed face
      // (2.72 mm for IPAMincho), and a gap below it.
      closingLineDrop_(metrics_.lineHeight(kReportSummaryPoints) + kClosingLineGap)
{}

int SettlementReport::pageCount() const
{
    if (rowCount_ == 0)
        return 1;
    return (rowCount_ + kReportRowsPerPage - 1) / kReportRowsPerPage;
}

ReportPage SettlementReport::page(int index) const
{
    ReportPage page;
    if (rowCount_ == 0) {
        // No table: the closing line alone, below a top line nothing was written on.
        addClosingLine(page, kClosingLineGap);
        return page;
    }
    const int pages = pageCount();
    const int pageNumber = index + 1;
    addHeader(page, pageNumber, pages);
    addRowOutline(page, 1);
    addHeadingRow(page);
    const int firstRow = index * kReportRowsPerPage + 1;
    const int lastRow = std::min(pageNumber * kReportRowsPerPage, rowCount_);
    int tableRow = 1;
    const int pageRows = lastRow - firstRow + 1;
    const auto rows = static_cast<size_t>(pageRows);
    page.texts.reserve(3 + 6 + 6 * rows + 1);
    page.rects.reserve(6 * (rows + 1));
    for (int gridRow = firstRow; gridRow <= lastRow; ++gridRow) {
        tableRow = gridRow - firstRow + 2;
        addRowOutline(page, tableRow);
        addDataRow(page, tableRow, gridRow);
    }
    if (pageNumber == pages)
        addClosingLine(page, textY(tableRow) + closingLineDrop_);
    return page;
}

ReportText SettlementReport::text(const QString &text, double x, double y, double pointSize,
                                  bool emphasis) const
{
    return {text, x, y, pointSize, emphasis, platform::kReportFace};
}

void SettlementReport::addHeader(ReportPage &page, int pageNumber, int pages) const
{
    const ReportText label = cardKindLabel(cardKind_);
    if (!label.text.isEmpty())
        page.texts.push_back(label);
    if (!sourceName_.isEmpty()) {
        const double x =
            kFileNameCentre - (static_cast<double>(sourceName_.size()) * kFileNameCharacterWidth) / 2;
        page.texts.push_back(text(sourceName_, x, kFileNameY, kHeaderPoints, true));
    }
    page.texts.push_back(text(QStringLiteral("Page: %1 / %2").arg(pageNumber).arg(pages), kPageLineX,
                              kPageLineY, kTablePoints));
}

void SettlementReport::addHeadingRow(ReportPage &page) const
{
    // Each heading stands a third into its column, moved left by a correction
    // where the heading is wider.
    const auto &columns = reportColumns();
    const double corrections[] = {0, 1, 2, 2, 2, 0};
    const double y = textY(1);
    for (size_t c = 0; c < columns.size(); ++c) {
        const double x = columns[c].left + columns[c].width / 3 - corrections[c];
        page.texts.push_back(text(columns[c].heading, x, y, kTablePoints));
    }
}

void SettlementReport::addDataRow(ReportPage &page, int tableRow, int gridRow) const
{
    const journal::RowTexts &row = grid_.rowTexts(gridRow);
    const double y = textY(tableRow);
    auto add = [&](const PlacedText &placed) {
        if (!placed.text.isEmpty())
            page.texts.push_back(text(placed.text, placed.x, y, placed.pointSize));
    };

    add(placeNumber(row[journal::NumberColumn], 20 - 13, span(NumberCol), kTablePoints, metrics_));
    add({row[journal::DateColumn], 35 + 20 / 7.5, kTablePoints});
    add({row[journal::DebitAccountColumn], 55 + 27 / 10.0, kTablePoints});

    // Money put on the card is income, the rest is spending, as the
    // settlement counts them: the two columns differ by the settlement amount.
    const bool income = journal::isChargeRow(row, emoneyAccount_);
    const QString spending =
        income ? QString()
               : journal::Fm2_ThousandsFormat(common::yenAmountText(row[journal::DebitAmountColumn]));
    const QString received =
        income ? journal::Fm2_ThousandsFormat(common::yenAmountText(row[journal::CreditAmountColumn]))
               : QString();
    add(placeNumber(spending, 82 - 5, span(SpendingCol), kTablePoints, metrics_));
    add(placeNumber(received, 109 - 5, span(IncomeCol), kTablePoints, metrics_));

    add(fitToColumn(row[journal::SummaryColumn], 136 + 55 / 18.0 - 2, span(SummaryCol), kReportSummaryPoints,
                    kReportSmallestSummaryPoints, metrics_));
}

void SettlementReport::addRowOutline(ReportPage &page, int tableRow) const
{
    for (const ReportColumn &column : reportColumns())
        page.rects.push_back({column.left, rowTop(tableRow), column.width, kReportRowHeight});
}

void SettlementReport::addClosingLine(ReportPage &page, double y) const
{
    if (!settlementLabel_.isEmpty())
        page.texts.push_back(text(settlementLabel_, kClosingLineX, y, kClosingPoints));
}

} // namespace mokpe::output
