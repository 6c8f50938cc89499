#pragma once

#include "goldsource/GoldSourceScriptInput.h"
#include "script/StagePlan.h"

namespace ferrowind {

// CSG, BSP, VIS and RAD with the page's choices and the configured tools: what the checks look at, the script
// runs and the unattended program follows.
StagePlan goldSourceStagePlan(const GoldSourceScriptInput& input);

} // namespace ferrowind
