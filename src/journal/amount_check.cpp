#include "journal/amount_check.h"

#include "common/yen_amount.h"
#include "journal/journal_messages.h"

#include <algorithm>

namespace mokpe::journal {

bool amountCheck(const JournalGrid &grid, platform::MessageService &messages)
{
    const int last = std::min(grid.journalRowCount(), grid.rowTotal() - 1);
    for (int r = 1; r <= last; ++r) {
        for (const int c : {DebitAmountColumn, CreditAmountColumn}) {
            const QString &cell = grid.text(r, c);
            if (!cell.isEmpty() && !common::yenAmount(cell)) {
                messages.inform(kUnreadableAmountMessage.arg(r).arg(kHeadings[static_cast<size_t>(c)], cell));
                return false;
            }
        }
    }
    return true;
}

} // namespace mokpe::journal
