#pragma once

#include "goldsource/GoldSourceScriptInput.h"
#include "script/ScriptText.h"

namespace ferrowind {

// The whole Half-Life compile script; throws ScriptRefusal for a value that no script can carry.
ScriptLines makeGoldSourceScript(const GoldSourceScriptInput& input, const ScriptOrigin& origin);

} // namespace ferrowind
