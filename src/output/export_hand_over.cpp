#include "output/export_hand_over.h"

namespace mokpe::output {

bool handOverChecks(journal::JournalEditor &editor)
{
    if (editor.Fm2_RowCountCheck() == -1)
        return false;
    if (editor.Fm2_BalanceCellCheck() == -1)
        return false;
    if (editor.Fm2_BlankCheck() != 0)
        return false;
    return editor.amountCheck();
}

} // namespace mokpe::output
