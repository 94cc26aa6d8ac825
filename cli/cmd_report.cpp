#include "cli/commands.h"
#include "cli/journal_session.h"

#include "output/report_pdf.h"
#include "output/settlement_print.h"
#include "platform/qt/qt_printer_service.h"

#include <optional>

namespace mokpe::cli {

// The journal opened as `mokpe journal` opens it, then the settlement report of
// "精算印刷": into one PDF with -o, or to a printer, one job per page.
int runReport(const QStringList &arguments)
{
    const QString command = QStringLiteral("report");
    std::vector<OptionSpec> specs = journalOptions();
    specs.insert(specs.begin(), {{QStringLiteral("-o")},
                                 {QStringLiteral("--printer")},
                                 {QStringLiteral("--print"), OptionSpec::Flag}});
    CommandLine line(specs);
    if (!line.parse(arguments))
        return usageError(command, line.problem());
    const std::optional<QString> output = line.value(QStringLiteral("-o"));
    const std::optional<QString> printerName = line.value(QStringLiteral("--printer"));
    // An empty value is no value.
    if (output && output->isEmpty())
        return usageError(command, QStringLiteral("-o needs a value"));
    if (printerName && printerName->isEmpty())
        return usageError(command, QStringLiteral("--printer needs a value"));
    const bool print = line.isSet(QStringLiteral("--print"));
    if (output.has_value() == print)
        return usageError(command, QStringLiteral("give either -o OUT.pdf or --print"));
    if (printerName && !print)
        return usageError(command, QStringLiteral("--printer goes with --print"));
    JournalOptions options;
    QString problem;
    if (!readJournalOptions(line, options, problem))
        return usageError(command, problem);

    JournalSession session(options);
    if (const int status = session.open(); status != 0)
        return status;
    const AppState &state = session.state();
    platform::MessageService &messages = session.messages();

    platform::QtPrinterService printers;
    if (print ? !output::printStartCheck(session.grid(), printers, messages)
              : !output::lastRowCheck(session.grid(), messages))
        return 2;
    const output::SettlementPrintJob job =
        output::prepareSettlementReport(state, session.grid(), session.editor().settlementLabel());
    WrittenFiles files;
    if (output) {
        if (!output::saveReportPdf(state, *output, job.report, messages))
            return 2;
        files.add(*output, true);
        printLine(QStringLiteral("pages: %1").arg(job.report.pageCount()));
    } else {
        const QString printer = output::choosePrinter(printerName.value_or(QString()), printers, messages);
        if (printer.isEmpty())
            return 2;
        if (!output::printReport(job.report, job.jobName, printer, printers, messages))
            return 2;
        printLine(QStringLiteral("printed: %1 pages to %2").arg(job.report.pageCount()).arg(printer));
    }
    return files.exitStatus(messages);
}

} // namespace mokpe::cli
