#pragma once

#include "journal/journal_grid.h"
#include "output/report_font.h"
#include "output/report_page.h"

#include <QString>

#include <array>

// The settlement report as data: for a journal, its card kind, the source file
// name and the settlement label's text, every page's texts and cell outlines.
// The journal rows go 50 to a page under a heading row repeated on every page;
// the settlement label closes the last page. Pages are laid out when asked for,
// so that a long journal never holds all of them at once.
namespace mokpe::output {

inline constexpr int kReportRowsPerPage = 50;
// Table row r (1 the heading row) spans y = 14 + 5 r to 19 + 5 r.
inline constexpr double kReportRowHeight = 5.0;
inline constexpr double kReportTableTop = 14.0;
inline constexpr double kReportTextDrop = 1.5;
inline constexpr double kReportSummaryPoints = 7.0;
// A summary too wide for its column is set smaller, down to this size, then cut.
inline constexpr double kReportSmallestSummaryPoints = 5.0;

struct ReportColumn {
    QString heading;
    double left;
    double width;
};
// "Ｎｏ．", "日　付", "相手科目", "支出金額", "収入金額", "摘　要".
const std::array<ReportColumn, 6> &reportColumns();

// The card kind label of the top right corner; empty for an unknown kind.
ReportText cardKindLabel(int cardKind);

class SettlementReport {
public:
    // Reads rows 1 to the grid's journal row count; the grid must outlive this.
    // A row the settlement counts as a charge (journal::isChargeRow with
    // `emoneyAccount`) prints its credit amount under "収入金額", every other
    // row its debit amount under "支出金額".
    SettlementReport(const journal::JournalGrid &grid, int cardKind, QString sourceName,
                     QString settlementLabel, QString emoneyAccount, ReportFontMetrics metrics);

    // ceiling(rows / 50); an empty journal still gives the page of the closing line.
    int pageCount() const;
    // Page `index` (from 0).
    ReportPage page(int index) const;

private:
    void addHeader(ReportPage &page, int pageNumber, int pages) const;
    void addHeadingRow(ReportPage &page) const;
    void addDataRow(ReportPage &page, int tableRow, int gridRow) const;
    void addRowOutline(ReportPage &page, int tableRow) const;
    void addClosingLine(ReportPage &page, double y) const;
    ReportText text(const QString &text, double x, double y, double pointSize, bool emphasis = false) const;

    const journal::JournalGrid &grid_;
    int rowCount_;
    int cardKind_;
    QString sourceName_;
    QString settlementLabel_;
    QString emoneyAccount_;
    ReportFontMetrics metrics_;
    double closingLineDrop_;
};

} // namespace mokpe::output
