#pragma once

#include "platform/font_substitutions.h"

// The face mapping lives in the core so that the headless report uses it too;
// the windows keep reaching it under their own namespace.
namespace mokpe::ui {

using platform::installFontSubstitutions;
using platform::kReportFace;
using platform::kUiFace;

} // namespace mokpe::ui
