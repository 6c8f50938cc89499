#pragma once

#include "script/StagePlan.h"
#include "source/SourceScriptInput.h"

namespace ferrowind {

// BSP, VIS and RAD with the page's choices and the configured tools: what the checks look at, the script
// runs and the unattended program follows.
StagePlan sourceStagePlan(const SourceScriptInput& input);

} // namespace ferrowind
