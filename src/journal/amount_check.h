#pragma once

#include "journal/journal_grid.h"
#include "platform/messages.h"

// The check of the amounts, before a journal is saved, exported or printed:
// an amount cell holds a whole number of yen or nothing (a blank is the blank
// checks' business). Anything else ("1e9", "２１０", "210.5") would reach the
// accounting software, the report or the settlement as something else.
namespace mokpe::journal {

// True when every debit and credit amount of journal rows 1 to the journal row
// count is empty or an amount (common::yenAmount); else false, after the
// message naming the first row and column that is not.
bool amountCheck(const JournalGrid &grid, platform::MessageService &messages);

} // namespace mokpe::journal
