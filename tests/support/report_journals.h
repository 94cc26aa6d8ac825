#pragma once

#include "journal/journal_grid.h"

#include <vector>

namespace mokpe::test {

// A journal grid holding `rows` as journal rows 1 to rows.size() (the row
// number column as given).
journal::JournalGrid journalOf(const std::vector<journal::RowTexts> &rows);

// A journal of `count` rows as a transit card gives it: numbered rows, dates,
// spending on several accounts, a cash row every seventh row and an e-money
// charge every tenth, Japanese summaries.
journal::JournalGrid sampleJournal(int count);

} // namespace mokpe::test
