#include "fuzz_support.h"
#include "journal_checks.h"

#include "import/card_history_reader.h"
#include "journal/journal_editor.h"
#include "journal/journal_file.h"
#include "platform/inert_services.h"

namespace mokpe::fuzz {

namespace {

// A journal file line as the loader must keep it: a line of fewer than six
// commas gets the empty fields it lacks, and nothing else changes.
QString asLoaded(const QString &line)
{
    const qsizetype commas = line.count(QLatin1Char(','));
    if (commas >= journal::SummaryColumn)
        return line;
    return line + QString(journal::SummaryColumn - commas, QLatin1Char(','));
}

// The journal as loaded from the card history's lines, then checked and saved
// as "保　存" checks and saves it.
void checkLoadedJournal(Findings &findings, journal::JournalEditor &editor, const CardHistory &history)
{
    const journal::JournalGrid &grid = editor.grid();
    checkGridShape(findings, grid);
    const int last = history.lastLineIndex;
    expect(findings, grid.journalRowCount() == std::max(last, 0),
           QStringLiteral("%1 lines load as %2 journal rows").arg(last + 1).arg(grid.journalRowCount()));
    for (int l = 0; l <= last && l < grid.rowTotal(); ++l) {
        const QString expected = asLoaded(history.lines.at(l));
        if (journal::journalFileLine(grid, l) != expected) {
            findings.append(QStringLiteral("line %1 \"%2\" loads as \"%3\"")
                                .arg(l + 1)
                                .arg(history.lines.at(l), journal::journalFileLine(grid, l)));
            break;
        }
    }
    expect(findings, editor.settlementLabel().isEmpty(),
           QStringLiteral("a loaded journal shows a settlement"));

    editor.Fm2_RowCountCheck();
    editor.Fm2_BlankCheck();
    checkGridShape(findings, grid);
    checkSaveAndReload(findings, grid);
}

} // namespace

Findings journalFileEntry(QByteArrayView input)
{
    Findings findings;
    ScratchFolder &folder = ScratchFolder::instance();
    folder.fresh();
    const QString path = folder.write(QStringLiteral("journal.csv"), input);

    AppState &state = freshState(folder.path());
    RecordingMessages messages;
    const import::CsvReadOutcome outcome = import::Fm1_CsvFileRead(state, path, messages);
    checkMessages(findings, messages, input, true);
    if (outcome == import::CsvReadOutcome::Unreadable)
        return findings;
    // Whatever its heading, a file the reader took is loaded as a journal
    // file would be: the loader must cope with any lines.
    state.history.cardKind = JournalFile;
    state.history.sourcePath = path;

    platform::NoFileDialogs dialogs;
    const journal::EditorServices services{messages, dialogs};
    journal::JournalGrid grid;
    journal::JournalEditor editor(state, grid, services);
    editor.startUp();
    checkLoadedJournal(findings, editor, state.history);
    return findings;
}

Findings journalLoadEntry(QByteArrayView input)
{
    Findings findings;
    AppState &state = freshState(QString());
    RecordingMessages messages;
    const import::CsvReadOutcome outcome =
        takeHistoryBytes(state, input, QStringLiteral("journal.csv"), messages);
    checkMessages(findings, messages, input, true);
    if (outcome == import::CsvReadOutcome::Unreadable)
        return findings;

    // The loader alone, into an empty grid, as the editor's start-up runs it.
    state.history.cardKind = JournalFile;
    journal::JournalGrid grid;
    grid.initialise(1);
    journal::Fm2_JournalLoad(grid, state.history, state.summaryPrefix);
    platform::NoFileDialogs dialogs;
    const journal::EditorServices services{messages, dialogs};
    journal::JournalEditor editor(state, grid, services);
    checkLoadedJournal(findings, editor, state.history);
    return findings;
}

} // namespace mokpe::fuzz
