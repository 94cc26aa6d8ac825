#include "app/data_erase.h"

namespace mokpe::app {

void Fm1_DataErase(journal::JournalGrid &grid)
{
    grid.clearSnapshot();
}

} // namespace mokpe::app
