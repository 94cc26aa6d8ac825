#pragma once

#include "common/app_state.h"

// The code system shown in the main window. The export format last chosen fixes
// it: the 出納帳 and 会計 formats belong to the Ｗ code system, the two 楓林 CSV
// formats to the 楓林 code system; with no format chosen the detected one stays.
namespace mokpe::maintenance {

// Applies the format choice (compared as a number) to the code system state;
// the main window's KamokuSelect then shows it: 1 "Ｗコード", 0 "楓林コード",
// -1 neither.
void selectCodeSystem(AppState &state);

} // namespace mokpe::maintenance
