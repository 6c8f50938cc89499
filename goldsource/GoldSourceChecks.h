#pragma once

#include "goldsource/GoldSourceScriptInput.h"
#include "script/ScriptChecks.h"

namespace ferrowind {

class Prompts;

// The gate before a Half-Life script is run or saved: the map must exist and every path be safe to write
// into a script; a missing tool of a selected stage, WAD root or output folder asks whether to go on.
CheckVerdict checkGoldSourceCompile(const GoldSourceScriptInput& input, Prompts& prompts);

} // namespace ferrowind
