#include "app/data_erase.h"

namespace mokpe::app {

void Fm1_DataErase(AppState &state)
{
    state.undoSnapshot.clear();
    state.undoSnapshot.shrink_to_fit();
    state.snapshotRowCount = 0;
}

} // namespace mokpe::app
