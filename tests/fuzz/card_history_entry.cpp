#include "fuzz_support.h"
#include "journal_checks.h"

#include "import/card_history_reader.h"
#include "journal/journal_build.h"
#include "journal/journal_editor.h"
#include "journal/journal_file.h"
#include "journal/settlement.h"
#include "platform/inert_services.h"

namespace mokpe::fuzz {

namespace {

const QString kHistoryName = QStringLiteral("history.csv");

// What the reader leaves in the card history, by outcome.
void checkHistory(Findings &findings, const CardHistory &history, import::CsvReadOutcome outcome)
{
    using import::CsvReadOutcome;
    if (outcome == CsvReadOutcome::Unreadable) {
        expect(findings, history.lines == QStringList{QString()} && history.lastLineIndex == 0,
               QStringLiteral("an unreadable file changed the card history"));
        return;
    }
    expect(findings, history.lines.size() == history.lastLineIndex + 2 && history.lines.constLast().isEmpty(),
           QStringLiteral("the card history has %1 lines for the last line index %2")
               .arg(history.lines.size())
               .arg(history.lastLineIndex));
    for (const QString &line : history.lines) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'))) {
            findings.append(QStringLiteral("a history line holds a line end"));
            break;
        }
    }
    if (outcome == CsvReadOutcome::NoLines)
        expect(findings, history.lastLineIndex == -1, QStringLiteral("a file with lines was called empty"));
    if (outcome == CsvReadOutcome::Accepted) {
        expect(findings, history.cardKind >= TransitCard && history.cardKind <= MoneyReport,
               QStringLiteral("card kind %1 accepted").arg(history.cardKind));
    }
}

// What the editor shows of a constructed journal, and the journal once every
// balance cell is settled, checked and saved.
void checkJournal(Findings &findings, journal::JournalEditor &editor, const AppState &state)
{
    const journal::JournalGrid &grid = editor.grid();
    checkGridShape(findings, grid);
    if (state.history.cardKind != JournalFile)
        checkBuiltRows(findings, grid);
    const bool settles = state.history.cardKind == TransitCard || state.history.cardKind == Edy;
    if (settles)
        checkSettlementLabel(findings, editor.settlementLabel());

    settleBalanceCells(findings, editor);
    if (settles)
        checkSettlementLabel(findings, editor.settlementLabel());
    expect(findings, editor.Fm2_BalanceCellCheck(),
           QStringLiteral("the balance cell check still finds a balance cell"));
    // What "保　存" checks first: the row count and the blanks. Neither may
    // change a text.
    editor.Fm2_RowCountCheck();
    editor.Fm2_BlankCheck();
    checkGridShape(findings, grid);
    checkSaveAndReload(findings, grid);
}

} // namespace

Findings cardHistoryEntry(QByteArrayView input)
{
    Findings findings;
    ScratchFolder &folder = ScratchFolder::instance();
    folder.fresh();
    const QString path = folder.write(kHistoryName, input);

    AppState &state = freshState(folder.path());
    RecordingMessages messages;
    const import::CsvReadOutcome outcome = import::Fm1_CsvFileRead(state, path, messages);
    checkHistory(findings, state.history, outcome);
    checkMessages(findings, messages, input, true);
    if (outcome != import::CsvReadOutcome::Accepted)
        return findings;
    state.history.sourcePath = path;
    state.history.sourceName = kHistoryName;

    platform::NoFileDialogs dialogs;
    const journal::EditorServices services{messages, dialogs};
    journal::JournalGrid grid;
    journal::JournalEditor editor(state, grid, services);
    editor.startUp();
    expect(findings, editor.caption() == journal::kCaptionPrefix + path,
           QStringLiteral("the editor's caption is \"%1\"").arg(editor.caption()));
    checkJournal(findings, editor, state);
    return findings;
}

Findings historyBuildEntry(QByteArrayView input)
{
    Findings findings;
    AppState &state = freshState(QString());
    RecordingMessages messages;
    const import::CsvReadOutcome outcome = takeHistoryBytes(state, input, kHistoryName, messages);
    checkHistory(findings, state.history, outcome);
    checkMessages(findings, messages, input, true);
    if (outcome != import::CsvReadOutcome::Accepted)
        return findings;

    // The construction alone, as the editor's start-up runs it when no earlier
    // read of the card is kept.
    journal::JournalGrid grid;
    grid.initialise(1);
    platform::NoFileDialogs dialogs;
    const journal::EditorServices services{messages, dialogs};
    journal::JournalEditor editor(state, grid, services);
    if (state.history.cardKind == JournalFile) {
        journal::Fm2_JournalLoad(grid, state.history, state.summaryPrefix);
    } else {
        journal::Fm2_JournalBuild(grid, state.history, state.settings.emoneyNameCopy, state.summaryPrefix,
                                  {});
        editor.Fm2_TotalShow();
    }
    checkJournal(findings, editor, state);
    return findings;
}

} // namespace mokpe::fuzz
