#include "cli/commands.h"
#include "cli/journal_session.h"

#include "output/report_pdf.h"
#include "output/settlement_print.h"
#include "output/settlement_report.h"
#include "platform/qt/qt_printer_service.h"

#include <optional>

namespace mokpe::cli {

namespace {

// Removes "NAME VALUE" from `args`; false when the value is missing or empty,
// or NAME is given twice.
bool takeOption(QStringList &args, const QString &name, std::optional<QString> &value)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) != name)
            continue;
        if (value || i + 1 >= args.size() || args.at(i + 1).isEmpty())
            return false;
        value = args.at(i + 1);
        args.remove(i, 2);
        --i;
    }
    return true;
}

bool takeFlag(QStringList &args, const QString &name)
{
    return args.removeAll(name) > 0;
}

} // namespace

// The journal opened as `mokpe journal` opens it, then the settlement report of
// "精算印刷": into one PDF with -o, or to a printer, one job per page.
int runReport(const QStringList &arguments)
{
    QStringList args = arguments;
    std::optional<QString> output;
    std::optional<QString> printerName;
    if (!takeOption(args, QStringLiteral("-o"), output) ||
        !takeOption(args, QStringLiteral("--printer"), printerName))
        return usageError();
    const bool print = takeFlag(args, QStringLiteral("--print"));
    if (output.has_value() == print || (printerName && !print))
        return usageError();
    JournalOptions options;
    if (!takeJournalOptions(args, options))
        return usageError();

    JournalSession session(options);
    if (const int status = session.open(); status != 0)
        return status;
    const AppState &state = session.state();
    platform::MessageService &messages = session.messages();

    platform::QtPrinterService printers;
    if (print ? !output::printStartCheck(state.journal, printers, messages)
              : !output::lastRowCheck(state.journal, messages))
        return 2;
    const output::SettlementReport report(state.journal, state.history.cardKind, state.history.sourceName,
                                          session.editor().settlementLabel(), output::ReportFontMetrics());
    if (output) {
        if (const QString error = output::writeReportPdf(*output, report); !error.isEmpty()) {
            messages.inform(error);
            return 2;
        }
        printLine(QStringLiteral("pages: %1").arg(report.pageCount()));
        session.keepRead();
        return 0;
    }
    const QString printer = output::choosePrinter(printerName.value_or(QString()), printers, messages);
    if (printer.isEmpty())
        return 2;
    if (!output::printReport(report, state.history.sourceName, printer, printers, messages))
        return 2;
    printLine(QStringLiteral("printed: %1 pages to %2").arg(report.pageCount()).arg(printer));
    session.keepRead();
    return 0;
}

} // namespace mokpe::cli
