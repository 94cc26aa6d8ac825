#include "cli/commands.h"
#include "cli/journal_session.h"

#include "journal/journal_file.h"
#include "journal/settlement.h"

#include <cstdio>

namespace mokpe::cli {

namespace {

// Every journal-file line, the balance cells left and the settlement label,
// written to standard output at once.
void printJournal(journal::JournalEditor &editor)
{
    const journal::JournalGrid &grid = editor.grid();
    QString text;
    const int last = std::min(grid.journalRowCount(), grid.rowTotal() - 1);
    for (int r = 0; r <= last; ++r) {
        text += journal::journalFileLine(grid, r);
        text += QLatin1Char('\n');
    }
    QStringList cells;
    for (const journal::CellPosition &cell : journal::balanceCells(grid))
        cells.append(QStringLiteral("%1:%2").arg(cell.row).arg(cell.column));
    text += QStringLiteral("balance cells: ") + (cells.isEmpty() ? QStringLiteral("none") : cells.join(' ')) +
            '\n';
    text += QStringLiteral("settlement: ") + editor.settlementLabel() + '\n';
    // The comparison with the previous reads of the card.
    const journal::PreviousRead &read = editor.previousRead();
    const journal::ReadMatch &match = read.match;
    text += QStringLiteral("matched: %1\n").arg(match.matched);
    if (match.gap)
        text += QStringLiteral("gap: %1 %2\n").arg(match.gap->from, match.gap->to);
    if (match.olderRead)
        text += QStringLiteral("older: %1 %2\n").arg(read.newestDate, read.storedNewestDate);
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

} // namespace

// The journal editor opened on FILE as the main window opens it; printed, or
// saved with "保　存" to OUT.
int runJournal(const QStringList &arguments)
{
    std::vector<OptionSpec> specs = journalOptions();
    specs.insert(specs.begin(), {QStringLiteral("-o")});
    CommandLine line(specs);
    JournalOptions options;
    QString problem;
    if (!line.parse(arguments))
        problem = line.problem();
    else
        readJournalOptions(line, options, problem);
    if (!problem.isEmpty())
        return usageError(QStringLiteral("journal"), problem);
    const std::optional<QString> output = line.value(QStringLiteral("-o"));
    if (output && output->isEmpty())
        return usageError(QStringLiteral("journal"), QStringLiteral("-o needs a file name"));

    JournalSession session(options);
    if (const int status = session.open(); status != 0)
        return status;
    WrittenFiles files;
    if (!output) {
        printJournal(session.editor());
    } else {
        if (!session.editor().saveCommand(*output))
            return 2;
        files.add(*output, true);
        session.recordBooking(files);
    }
    return files.exitStatus(session.messages());
}

} // namespace mokpe::cli
