#include "journal/journal_editor.h"

#include "common/atomic_file.h"
#include "common/text_file.h"
#include "common/vb_strings.h"
#include "journal/amount_check.h"
#include "journal/journal_build.h"
#include "journal/journal_file.h"
#include "journal/journal_messages.h"
#include "journal/output_target.h"

#include <QDir>
#include <QFileInfo>

namespace mokpe::journal {

JournalEditor::JournalEditor(AppState &state, JournalGrid &grid, const EditorServices &services)
    : state_(state), grid_(grid), services_(services)
{}

bool JournalEditor::startUp(common::Progress &progress)
{
    JournalGrid &g = grid();
    const CardHistory &history = state_.history;
    g.clearSnapshot();
    g.initialise(kMinimumRowTotal);
    settlementLabel_.clear();
    recalculateVisible_ = history.cardKind != MoneyReport;
    previousRead_ = {};
    bool whole = true;
    if (history.cardKind == JournalFile) {
        whole = Fm2_JournalLoad(g, history, state_.summaryPrefix, progress);
    } else {
        previousRead_ = comparePreviousRead(state_, services_.messages);
        // An empty journal would only invite booking nothing twice over.
        if (previousRead_.nothingNew())
            services_.messages.inform(kAllBookedMessage);
        // Another program is booking this card: what it books is not known yet.
        whole = !previousRead_.storeBusy && !previousRead_.nothingNew() &&
                Fm2_JournalBuild(g, history, state_.settings.emoneyNameCopy, state_.summaryPrefix,
                                 previousRead_.bookedLines(), progress);
        if (whole)
            Fm2_TotalShow();
    }
    lastBooking_ = {};
    savedNotice_.clear();
    if (!whole) {
        // Half a journal is no journal: nothing of it stays.
        previousRead_ = {};
        settlementLabel_.clear();
        g.initialise(kMinimumRowTotal);
        Fm2_EditReset();
        g.setModified(false);
        return false;
    }
    Fm2_UndoInit();
    g.setModified(false);
    g.setCurrent({1, 1});
    return true;
}

void JournalEditor::Fm2_UndoInit()
{
    grid().takeSnapshot(grid().lastRowWithText(), grid().journalRowCount());
}

ReadBooking JournalEditor::bookRead()
{
    ReadBooking booking = journal::bookRead(state_, previousRead_, services_.messages);
    if (booking.meant)
        lastBooking_ = booking;
    return booking;
}

QString JournalEditor::caption() const
{
    return kCaptionPrefix + state_.history.sourcePath;
}

QStringList JournalEditor::accountList() const
{
    // Entry 0 is the unsettled e-money account by its settings name, in place
    // of account line 0, which holds the same account with its codes.
    QStringList entries{state_.settings.unsettledAccount.name};
    const QStringList &lines = state_.accounts.lines;
    for (int j = 1; j <= state_.accounts.lastIndex && j < lines.size(); ++j) {
        const QString &line = lines.at(j);
        // Past "3-digit code,4-digit code,": the account name. The 4-digit
        // code is not always four characters (the account editor saves a blank
        // one), so the name is found by its comma, not by counting. A line
        // short of two commas (the start-up check sets such a file aside, the
        // editor's re-read does not) is cut six characters past its first.
        const qsizetype firstComma = line.indexOf(QLatin1Char(','));
        const qsizetype secondComma = firstComma < 0 ? -1 : line.indexOf(QLatin1Char(','), firstComma + 1);
        entries.append(secondComma >= 0 ? line.mid(secondComma + 1)
                                        : common::mid(line, common::instr(line, QStringLiteral(",")) + 6));
    }
    return entries;
}

void JournalEditor::Fm2_TotalShow()
{
    switch (state_.history.cardKind) {
    case JournalFile:
        // A loaded journal shows no settlement amount of its own.
        return;
    case MoneyReport:
        settlementLabel_.clear();
        return;
    default:
        settlementLabel_ = settlementLabelFor(grid(), state_.settings.emoneyNameCopy);
    }
}

bool JournalEditor::Fm2_BalanceCellCheck()
{
    const std::optional<int> row = firstBalanceCellRow(grid());
    if (!row)
        return true;
    services_.messages.inform(QString::number(*row) + kBalanceCellMessage);
    return false;
}

void JournalEditor::setCurrentCell(int row, int column)
{
    grid().setCurrent({row, column});
}

bool JournalEditor::enterBalanceCell()
{
    const CellPosition cell = grid().current();
    if (cell.row < 0 || cell.row >= grid().rowTotal() || cell.column < 0 || cell.column >= kColumnCount)
        return false;
    if (grid().colour(cell.row, cell.column) != CellColour::Balance)
        return false;
    pending_ = {QString::number(cell.row), QString::number(cell.column), grid().text(cell.row, cell.column)};
    Fm2_TotalShow();
    return true;
}

void JournalEditor::settlePendingCell(const QString &value)
{
    bool rowOk = false;
    bool columnOk = false;
    const int row = pending_.row.toInt(&rowOk);
    const int column = pending_.column.toInt(&columnOk);
    if (!rowOk || !columnOk || row < 1 || row >= grid().rowTotal() || column < 0 || column >= kColumnCount)
        return;
    pending_.value = value;
    grid().setText(row, column, value);
    // The settled cell itself, wherever the current cell has moved since.
    grid().setColour(row, column, CellColour::White);
    // An amount the user entered: "閉じる" must not let it go unasked.
    grid().setModified(true);
}

bool JournalEditor::Fm2_RowCountCheck()
{
    JournalGrid &g = grid();
    const int lastRow = g.rowTotal() - 1;
    int count = lastRow;
    int blankRow = 0;
    for (int r = 1; r <= lastRow; ++r) {
        if (g.text(r, NumberColumn).isEmpty()) {
            count = r - 1;
            break;
        }
        if (g.text(r, CreditAmountColumn).isEmpty() || g.text(r, DebitAmountColumn).isEmpty() ||
            g.text(r, DateColumn).isEmpty())
            blankRow = r;
    }
    // The journal rows are the leading rows that carry a row number.
    g.setJournalRowCount(count);
    if (blankRow == 0)
        return true;
    services_.messages.inform(QStringLiteral("No. ") + QString::number(blankRow) + kRowCountCheckMessage);
    return false;
}

bool JournalEditor::Fm2_BlankCheck()
{
    const JournalGrid &g = grid();
    const int last = std::min(g.journalRowCount(), g.rowTotal() - 1);
    for (int r = 1; r <= last; ++r) {
        if (g.text(r, CreditAmountColumn).isEmpty() || g.text(r, DebitAmountColumn).isEmpty() ||
            g.text(r, DateColumn).isEmpty()) {
            services_.messages.inform(QString::number(r) + kBlankCheckMessage);
            return false;
        }
    }
    return true;
}

bool JournalEditor::amountCheck()
{
    return journal::amountCheck(grid(), services_.messages);
}

namespace {

// The checks "保　存" makes before anything else.
bool saveChecks(JournalEditor &editor)
{
    return editor.Fm2_RowCountCheck() && editor.Fm2_BlankCheck() && editor.amountCheck();
}

} // namespace

bool JournalEditor::saveCommand()
{
    return saveChecks(*this) && Fm2_JournalSave();
}

bool JournalEditor::saveCommand(const QString &path)
{
    if (!saveChecks(*this))
        return false;
    // Told before the target, as the dialog's way tells it before the dialog.
    if (const QString commaError = journalCommaCheck(grid()); !commaError.isEmpty()) {
        services_.messages.inform(commaError);
        return false;
    }
    return saveChosenFile(path, ExistingFile::Replace);
}

bool JournalEditor::Fm2_JournalSave()
{
    // Refused before the dialog: there is nothing the user could choose there
    // that would make the file readable.
    const QString commaError = journalCommaCheck(grid());
    if (!commaError.isEmpty()) {
        services_.messages.inform(commaError);
        return false;
    }
    // A cancelled dialog (an empty name) writes nothing and says nothing.
    // A journal goes beside its history until the user has saved one elsewhere.
    const QString path = services_.dialogs.saveFile({platform::FileKind::Journal,
                                                     platform::qtFilterFromPairs(kSaveFilterPairs),
                                                     journalSaveName(), state_.history.sourceFolder()});
    if (path.isEmpty())
        return false;
    return saveChosenFile(path, ExistingFile::Ask);
}

QString JournalEditor::journalSaveName() const
{
    const CardHistory &history = state_.history;
    // A name other than the history's own is that of a journal saved before.
    if (history.cardKind == JournalFile || history.sourceName != QFileInfo(history.sourcePath).fileName())
        return history.sourceName;
    const qsizetype dot = history.sourceName.lastIndexOf(QLatin1Char('.'));
    return (dot > 0 ? history.sourceName.left(dot) : history.sourceName) + kJournalNameSuffix +
           QStringLiteral(".csv");
}

bool JournalEditor::saveChosenFile(const QString &path, ExistingFile existing)
{
    if (const QString refusal = outputTargetCheck(state_, path, OutputKind::JournalFile);
        !refusal.isEmpty()) {
        services_.messages.inform(refusal);
        return false;
    }
    if (existing == ExistingFile::Ask && QFileInfo::exists(path) &&
        !services_.messages.ask(kOverwriteQuestion, kOverwriteTitle))
        return false;
    return saveJournalTo(path);
}

bool JournalEditor::saveJournalTo(const QString &path)
{
    const QString commaError = journalCommaCheck(grid());
    if (!commaError.isEmpty()) {
        services_.messages.inform(commaError);
        return false;
    }
    common::AtomicFile file(path);
    if (QString error = common::openAtomicWrite(file); !error.isEmpty()) {
        services_.messages.inform(error);
        return false;
    }
    QString error = writeJournalFile(file, grid(), path);
    if (!error.isEmpty()) {
        file.cancelWriting();
        services_.messages.inform(error);
        return false;
    }
    error = common::commitAtomicWrite(file);
    if (!error.isEmpty()) {
        services_.messages.inform(error);
        return false;
    }
    // Later saves and the export's file names start from the name saved under.
    state_.history.sourceName = QFileInfo(path).fileName();
    grid().setModified(false);
    savedNotice_ = kSavedNotice.arg(QDir::toNativeSeparators(path)).arg(grid().journalRowCount());
    // The journal is kept now: so are the transactions it holds. A booking
    // that failed is told; the journal file stands.
    bookRead();
    return true;
}

JournalEditor::CloseOutcome JournalEditor::closeCommand()
{
    if (grid().modified()) {
        switch (services_.messages.askOrCancel(kUnsavedQuestion, kUnsavedTitle)) {
        case platform::Answer::Yes:
            // The editor stays open; once saved, the next "閉じる" closes it.
            Fm2_JournalSave();
            return CloseOutcome::StaysOpen;
        case platform::Answer::Cancel:
            // Esc or the close box of the question: the edits stay.
            return CloseOutcome::StaysOpen;
        case platform::Answer::No:
            break;
        }
    }
    Fm2_EditReset();
    return CloseOutcome::Closed;
}

void JournalEditor::Fm2_EditReset()
{
    grid().clearSnapshot();
    grid().setCurrent({0, 0});
    grid().setJournalRowCount(0);
}

} // namespace mokpe::journal
