#include "output/settlement_print.h"

#include "journal/amount_check.h"
#include "output/report_painter.h"
#include "output/report_pdf_save.h"
#include "output/settlement_report.h"

#include <QPainter>

namespace mokpe::output {

bool Fm2_PrinterCheck(const QStringList &printerNames)
{
    const QString last = printerNames.isEmpty() ? QString() : printerNames.last();
    if (last.isEmpty())
        return false;
    if (last == QLatin1String("Microsoft XPS Document Writer"))
        return false;
    return !last.contains(QLatin1String("icrosoft"));
}

bool lastRowCheck(const journal::JournalGrid &grid, platform::MessageService &messages)
{
    const int last = grid.journalRowCount();
    if (last < 0 || last >= grid.rowTotal())
        return true;
    if (grid.text(last, journal::DebitAmountColumn).isEmpty() &&
        grid.text(last, journal::CreditAmountColumn).isEmpty()) {
        messages.inform(kLastRowAmountMessage);
        return false;
    }
    return journal::amountCheck(grid, messages);
}

bool printStartCheck(const journal::JournalGrid &grid, platform::PrinterService &printers,
                     platform::MessageService &messages)
{
    if (!lastRowCheck(grid, messages))
        return false;
    if (!Fm2_PrinterCheck(printers.printerNames())) {
        messages.inform(kNoPrinterMessage);
        return false;
    }
    return true;
}

PrintStart settlementPrintStart(const journal::JournalGrid &grid, platform::PrinterService &printers,
                                platform::MessageService &messages)
{
    if (!lastRowCheck(grid, messages))
        return PrintStart::Refused;
    if (Fm2_PrinterCheck(printers.printerNames()))
        return PrintStart::Preview;
    // Without a printer the report can still be filed or mailed.
    return messages.offer(kNoPrinterMessage, kSaveAsPdfCaption) ? PrintStart::PdfInstead
                                                                : PrintStart::Refused;
}

SettlementPrintJob prepareSettlementReport(const AppState &state, const journal::JournalGrid &grid,
                                           const QString &settlementLabel)
{
    const QString &name = state.history.sourceName;
    return {SettlementReport(grid, state.history.cardKind, name, settlementLabel,
                             state.settings.emoneyNameCopy, ReportFontMetrics()),
            name.isEmpty() ? kSettlementPrintTitle : name};
}

QString choosePrinter(const QString &requested, platform::PrinterService &printers,
                      platform::MessageService &messages)
{
    const QStringList names = printers.printerNames();
    if (!requested.isEmpty()) {
        if (names.contains(requested))
            return requested;
        messages.inform(kUnknownPrinterMessage.arg(requested));
        return {};
    }
    QString fallback = printers.defaultPrinter();
    if (!fallback.isEmpty())
        return fallback;
    // A system with printers but no default one: the printer the check approved.
    return names.isEmpty() ? QString() : names.last();
}

bool printReport(const SettlementReport &report, const QString &jobName, const QString &printer,
                 platform::PrinterService &printers, platform::MessageService &messages,
                 common::Progress &progress)
{
    const int pages = report.pageCount();
    const platform::PrintRun run = printers.printPagesAsJobs(
        printer, jobName, pages,
        [&report](QPainter &painter, int index) { paintReportPage(painter, report.page(index)); }, progress);
    if (run.failures.empty() && !run.stopped)
        return true;
    QStringList lines;
    for (const platform::PrintFailure &failure : run.failures)
        lines.append(kPrintFailedPageLine.arg(failure.page).arg(pages).arg(failure.reason));
    if (run.stopped) {
        const int printed = run.pagesDone - static_cast<int>(run.failures.size());
        lines.prepend(kPrintStoppedMessage.arg(pages).arg(printed));
        messages.inform(lines.join(QStringLiteral("\r\n")));
        return false;
    }
    messages.inform(kPrintFailedMessage.arg(printer, lines.join(QStringLiteral("\r\n"))));
    return false;
}

} // namespace mokpe::output
