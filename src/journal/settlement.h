#pragma once

#include "journal/journal_grid.h"

#include <QList>
#include <QString>

#include <optional>

// The settlement amount below the journal grid: money put onto the card minus
// money spent, over the journal rows as they stand, and the number format it is
// shown in. Also where the balance cells (amount cells still holding a card
// balance) are found.
namespace mokpe::journal {

inline const QString kSettlementLabelPrefix = QStringLiteral("精算金額：　　　");
// r + this: a journal row still holds a card balance instead of an amount.
inline const QString kBalanceCellMessage =
    QStringLiteral("行目：「　金額　」列が使用金額ではない可能性有ります．");

// Whether a journal row put money onto the card: its debit account holds the
// e-money account's name (`emoneyAccount`), where the construction books every
// charge ("電子マネー", or "仮払金" in the 楓林 code system, whatever export
// format is chosen later), or names e-money ("電子ﾏﾈ", "電子マネ") with
// "ﾁｬｰｼﾞ" or "チャージ" in the summary (a charge typed by hand).
bool isChargeRow(const RowTexts &row, const QString &emoneyAccount);

// The settlement amount over grid rows 1 to rowBound + 1 (callers pass the
// journal row count - 1), as decimal text with a leading "-" when negative.
// A charge row (isChargeRow) adds its credit amount, every other row takes
// its debit amount away. Each amount is a whole number of yen within 64 bits
// (common::yenAmount); a cell that is no such number adds nothing. The sums
// are wider than any journal can fill.
QString TotalMoneyCount(const JournalGrid &grid, int rowBound, const QString &emoneyAccount);

// Thousands separators for a number given as text: "1234567" -> "1,234,567",
// "-123456" -> "-123,456"; a sign is never followed by a separator. Every
// group of three digits is set off, as many as the number has.
QString Fm2_ThousandsFormat(const QString &number);

// "精算金額：　　　" + the settlement amount over every journal row, with
// separators: what the settlement label shows for a transit or Edy journal.
QString settlementLabelFor(const JournalGrid &grid, const QString &emoneyAccount);

// The amount cells of journal rows 1 to the journal row count that still hold a
// card balance, in row order, column 3 before column 5. Colours are read in
// place: the current cell does not move.
QList<CellPosition> balanceCells(const JournalGrid &grid);
// The first journal row with a balance cell, if any.
std::optional<int> firstBalanceCellRow(const JournalGrid &grid);

} // namespace mokpe::journal
