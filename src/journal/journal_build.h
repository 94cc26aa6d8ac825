#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "journal/journal_grid.h"

#include <QString>

#include <vector>

// Turns the lines of a card history (a transit card, an Edy card or a Money
// report) into journal rows: row number, date, debit and credit accounts, one
// amount on both sides, summary.
namespace mokpe::journal {

inline const QString kTravelAccount = QStringLiteral("旅費交通");
inline const QString kEdyChargeSummary = QStringLiteral("Edyチャージ");

// Fills rows 1 on of a freshly initialised grid from `history` (card kinds 0,
// 1 and 3), writing `emoneyAccount` where the card itself is booked and
// `summaryPrefix` in front of every summary. The construction never stops on a
// malformed line: a value that cannot be taken from it leaves its cell empty,
// so that the checks before saving name the row. Afterwards the journal row
// count is the number of rows written, the grid has max(kMinimumRowTotal,
// count + 1) rows and the current cell is row 1, column 1.
//
// Transit histories run from the newest transaction to the oldest and carry
// balances only: each row's amount is the next older balance minus its own.
// The oldest transaction (the last dated line) has no older balance: its row
// keeps the card balance in balance cells for the user to settle, unless the
// export names the amount itself (the layout with a "残額(円)" column).
//
// The transactions of a transit history that earlier reads of the card
// booked: they build no row, and one that stands below a new row gives it its
// amount, so that only a new oldest transaction is left to settle.
struct BookedLines {
    // Per dated line, newest first; the lines past its end are new.
    std::vector<bool> newestFirst;
    bool contains(int dated) const
    {
        return dated >= 0 && static_cast<size_t>(dated) < newestFirst.size() &&
               newestFirst[static_cast<size_t>(dated)];
    }
};

// Every line booked: no row at all.
//
// The lines converted are told to `progress`; false when the user stopped the
// construction (the grid is then half filled and to be reset).
bool Fm2_JournalBuild(JournalGrid &grid, const CardHistory &history, const QString &emoneyAccount,
                      const QString &summaryPrefix, BookedLines booked = {},
                      common::Progress &progress = common::noProgress());

} // namespace mokpe::journal
