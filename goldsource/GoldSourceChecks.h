#pragma once

#include "goldsource/GoldSourceScriptInput.h"
#include "script/ScriptChecks.h"

namespace ferrowind {

// The gate before a Half-Life script is run or saved: the map must exist and every path be safe to write
// into a script; a missing tool of a selected stage, WAD root or output folder is a question.
Findings checkGoldSourceCompile(const GoldSourceScriptInput& input);

} // namespace ferrowind
