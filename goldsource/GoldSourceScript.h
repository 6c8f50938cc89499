#pragma once

#include "goldsource/GoldSourceScriptInput.h"
#include "script/ScriptText.h"

#include <string>
#include <vector>

namespace ferrowind {

// The whole Half-Life compile script.
ScriptLines makeGoldSourceScript(const GoldSourceScriptInput& input, const ScriptOrigin& origin);

// The configured paths that the script carries, for the safety check.
std::vector<std::string> goldSourceScriptPaths(const GoldSourceScriptInput& input);

} // namespace ferrowind
