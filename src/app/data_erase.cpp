#include "app/data_erase.h"

namespace mokpe::app {

void Fm1_DataErase(AppState &state)
{
    state.journal.clearSnapshot();
}

} // namespace mokpe::app
