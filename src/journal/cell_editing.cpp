// Cell editing and account assignment of the journal editor: the commit of
// the cell editor's text, Enter and the navigation keys, the drag that picks
// rows for the account drop-down, the assignment itself and the text size.
#include "common/vb_strings.h"
#include "journal/journal_editor.h"
#include "journal/journal_messages.h"

#include <algorithm>

namespace mokpe::journal {

namespace {

bool isFixedColumn(int column)
{
    return column == DateColumn || column == DebitAmountColumn || column == CreditAmountColumn;
}

bool isAccountColumn(int column)
{
    return column == DebitAccountColumn || column == CreditAccountColumn;
}

// Texts typed in these columns go through the input method.
bool isTextColumn(int column)
{
    return isAccountColumn(column) || column == SummaryColumn;
}

constexpr int kFontStep = 2;
constexpr int kColumnWidthStepTwips = 100;

} // namespace

bool JournalEditor::Fm2_CellCommit(const QString &editorText)
{
    JournalGrid &g = grid();
    const CellPosition cell = g.current();
    if (cell.row < 1 || cell.row >= g.rowTotal() || cell.column < DateColumn || cell.column > SummaryColumn)
        return false;
    // What came from the card is changed only through the unsettled-amount
    // dialog.
    if (isFixedColumn(cell.column) && !g.text(cell.row, cell.column).isEmpty()) {
        services_.messages.inform(kFixedCellMessage);
        return false;
    }
    // The summary is the journal file's last field and may hold commas.
    if (cell.column != SummaryColumn && editorText.contains(QLatin1Char(','))) {
        services_.messages.inform(kCommaInCellMessage.arg(kHeadings[static_cast<size_t>(cell.column)]));
        return false;
    }
    if (editorText.contains(QLatin1Char('\r')) || editorText.contains(QLatin1Char('\n'))) {
        services_.messages.inform(kLineEndInCellMessage.arg(kHeadings[static_cast<size_t>(cell.column)]));
        return false;
    }
    Fm2_UndoSave();
    g.setText(cell.row, cell.column, editorText);
    g.setColour(cell.row, cell.column, CellColour::Edited);
    g.setModified(true);
    return true;
}

bool JournalEditor::enterKeyCommand(const QString &editorText)
{
    const bool committed = Fm2_CellCommit(editorText);
    const CellPosition cell = grid().current();
    grid().setCurrent({rowAfterEnter(cell.row, grid().journalRowCount()), cell.column});
    Fm2_TotalShow();
    return committed;
}

CellPosition JournalEditor::cellAfterKey(NavigationKey key, int pageRows) const
{
    return journal::cellAfterKey(grid().current(), key, grid().journalRowCount(), pageRows);
}

void JournalEditor::gridMouseDown()
{
    drag_.startRow = grid().current().row;
}

JournalEditor::GridMouseUp JournalEditor::gridMouseUp(int pointerRow)
{
    const CellPosition cell = grid().current();
    // Released below the journal: its last row ends the drag.
    drag_.endRow = std::min(pointerRow, grid().journalRowCount());
    GridMouseUp up;
    if (isAccountColumn(cell.column)) {
        // Whatever is picked can be taken back.
        Fm2_UndoSave();
        up.dropDown = true;
    }
    if (isTextColumn(cell.column)) {
        up.inputMode = platform::InputMode::Hiragana;
    } else {
        up.hideEditor = cell.row >= 1 && cell.row < grid().rowTotal() && cell.column >= 0 &&
                        cell.column < kColumnCount && !grid().text(cell.row, cell.column).isEmpty();
    }
    return up;
}

std::optional<QString> JournalEditor::KamokuPaste(const QString &entry)
{
    JournalGrid &g = grid();
    QString text = entry;
    if (const qsizetype comma = common::instr(text, QStringLiteral(",")); comma > 0)
        text = common::mid(text, comma + 1);
    const CellPosition cell = g.current();
    const bool dragged = drag_.startRow != 0 || drag_.endRow != 0;
    int firstRow = cell.row;
    int lastRow = cell.row;
    if (dragged) {
        // Other columns take nothing from the drop-down; a drag upward names
        // no rows.
        if (!isAccountColumn(cell.column) || drag_.startRow < 1)
            return text;
        firstRow = drag_.startRow;
        lastRow = std::min(drag_.endRow, g.rowTotal() - 1);
    } else if (cell.row < 1 || cell.row >= g.rowTotal() || cell.column < DateColumn ||
               cell.column > SummaryColumn) {
        return text;
    }
    if (lastRow < firstRow)
        return text;
    // Only the part after the first comma is the account; a second comma would
    // still move the fields of the saved journal file.
    if (cell.column != SummaryColumn && text.contains(QLatin1Char(','))) {
        services_.messages.inform(kCommaInCellMessage.arg(kHeadings[static_cast<size_t>(cell.column)]));
        return std::nullopt;
    }
    if (dragged)
        g.fillColumn(firstRow, lastRow, cell.column, text, CellColour::Edited);
    else
        g.setText(cell.row, cell.column, text);
    g.setModified(true);
    return text;
}

JournalEditor::AssignOutcome JournalEditor::assignAccountCommand(int firstRow, int lastRow, int column,
                                                                 const QString &account)
{
    if (firstRow > grid().journalRowCount())
        return AssignOutcome::NotAJournalRow;
    setCurrentCell(firstRow, column);
    gridMouseDown();
    gridMouseUp(lastRow);
    if (!accountList().contains(account))
        return AssignOutcome::NotInTheList;
    return KamokuPaste(account) ? AssignOutcome::Assigned : AssignOutcome::Refused;
}

bool JournalEditor::enlargeFontCommand()
{
    if (fontSize_ >= kLargestFontSize)
        return false;
    // 23 points would step past the largest size.
    fontSize_ = std::min(fontSize_ + kFontStep, kLargestFontSize);
    for (int &width : columnWidths_)
        width += kColumnWidthStepTwips;
    return true;
}

bool JournalEditor::reduceFontCommand()
{
    if (fontSize_ <= kSmallestFontSize)
        return false;
    fontSize_ = std::max(fontSize_ - kFontStep, kSmallestFontSize);
    for (int &width : columnWidths_)
        width -= kColumnWidthStepTwips;
    return true;
}

} // namespace mokpe::journal
