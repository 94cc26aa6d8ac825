#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "journal/journal_grid.h"
#include "output/settlement_report.h"
#include "platform/messages.h"
#include "platform/printer_service.h"

#include <QString>
#include <QStringList>

// "精算印刷" without its window: the checks before the report, the printer
// check, and the report's pages sent to a printer one job per page. The
// journal editor's window and `mokpe report` run the same steps.
namespace mokpe::output {

inline const QString kSettlementPrintTitle = QStringLiteral("精算印刷");
inline const QString kLastRowAmountMessage = QStringLiteral("最終行の金額を入力して下さい．");
inline const QString kNoPrinterMessage =
    QStringLiteral("使用可能なプリンタが存在しません．\r\n印刷機能はプリンタを準備した後に可能となります．");
// %1: the printer asked for by name.
inline const QString kUnknownPrinterMessage = QStringLiteral("プリンタ「%1」が見つかりません．");
// %1: the printer; %2: one line per page that did not print.
inline const QString kPrintFailedMessage =
    QStringLiteral("精算書を印刷できませんでした．\r\nプリンタ：%1\r\n%2");
// %1: page, %2: pages, %3: the reason the system gave.
inline const QString kPrintFailedPageLine = QStringLiteral("%1 / %2 ページ：%3");
// %1: pages of the report, %2: pages printed before the user stopped the print.
inline const QString kPrintStoppedMessage =
    QStringLiteral("印刷を中止しました．\r\n%1 ページのうち %2 ページを印刷しました．");

// Printing is possible unless the last printer the system lists is missing,
// is the XPS document writer or is any other of the platform's document
// writers (its name holds "icrosoft").
bool Fm2_PrinterCheck(const QStringList &printerNames);

// The last journal row must carry an amount (debit or credit): a report of a
// journal still being typed is refused with kLastRowAmountMessage. Then every
// amount there is must be a whole number of yen (journal::amountCheck).
bool lastRowCheck(const journal::JournalGrid &grid, platform::MessageService &messages);

// Before a report goes to a printer: the last-row check, then Fm2_PrinterCheck
// on the installed printers (refused with kNoPrinterMessage).
bool printStartCheck(const journal::JournalGrid &grid, platform::PrinterService &printers,
                     platform::MessageService &messages);

// Where the journal editor's "精算印刷" goes after its checks.
enum class PrintStart { Refused, Preview, PdfInstead };

// The last-row check, then Fm2_PrinterCheck. Without a usable printer the
// no-printer message offers "PDFで保存" instead: PdfInstead when the user
// takes it, else Refused.
PrintStart settlementPrintStart(const journal::JournalGrid &grid, platform::PrinterService &printers,
                                platform::MessageService &messages);

// The report of "精算印刷" and the name its print jobs go under: the
// journal's file name, or "精算印刷" for a journal that has none.
struct SettlementPrintJob {
    SettlementReport report;
    QString jobName;
};

// The report of the journal in `grid` (which must outlive it), read from the
// card history in `state`, closed by the settlement label's text.
SettlementPrintJob prepareSettlementReport(const AppState &state, const journal::JournalGrid &grid,
                                           const QString &settlementLabel);

// The printer a report goes to: `requested` when given and installed, else the
// default printer, else the printer Fm2_PrinterCheck looked at. Empty, after
// the message, when `requested` is not installed.
QString choosePrinter(const QString &requested, platform::PrinterService &printers,
                      platform::MessageService &messages);

// Every page of the report to `printer`, each page its own print job. Pages
// that fail do not stop the others; they are told in one message. The pages
// are told to `progress`; when the user stops the print after a page, how many
// pages were printed is told. True when every page reached the printer.
bool printReport(const SettlementReport &report, const QString &jobName, const QString &printer,
                 platform::PrinterService &printers, platform::MessageService &messages,
                 common::Progress &progress = common::noProgress());

} // namespace mokpe::output
