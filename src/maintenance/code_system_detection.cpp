#include "maintenance/code_system_detection.h"

#include <algorithm>

namespace mokpe::maintenance {

void KamokuKindCheck(AppState &state)
{
    const AccountCodeTable &table = state.accounts;
    if (table.lastIndex < 0) {
        state.codeSystemState = 0;
        return;
    }
    const qsizetype last = std::min<qsizetype>(table.lastIndex, table.lines.size() - 1);
    int markerLines = 0;
    for (qsizetype i = 0; i <= last; ++i) {
        const QString &line = table.lines.at(i);
        if (std::any_of(kWCodeMarkers.begin(), kWCodeMarkers.end(),
                        [&line](const QString &marker) { return line.contains(marker); }))
            ++markerLines;
    }
    state.codeSystemState = markerLines > kMarkerLinesNeeded ? 1 : 0;
}

} // namespace mokpe::maintenance
