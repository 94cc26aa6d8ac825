#pragma once

#include "common/app_state.h"

#include <array>

// Whether the account code table follows the Ｗ code set: its 4-digit codes of
// the two fixed accounts and of its first two list accounts mark it.
namespace mokpe::maintenance {

inline const std::array<QString, 4> kWCodeMarkers = {QStringLiteral("1882"), QStringLiteral("1131"),
                                                     QStringLiteral("8471"), QStringLiteral("8641")};
// More marker lines than this make a table of the Ｗ code set.
inline constexpr int kMarkerLinesNeeded = 2;

// Sets the code system state: 1 when more than two lines of the table contain a
// marker code anywhere (a plain substring test), else 0.
void KamokuKindCheck(AppState &state);

} // namespace mokpe::maintenance
