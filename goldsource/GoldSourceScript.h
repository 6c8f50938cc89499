#pragma once

#include "goldsource/GoldSourceScriptInput.h"
#include "script/ScriptText.h"

namespace ferrowind {

// The whole Half-Life compile script; throws ScriptRefusal for a value that no script can carry.
// `sections`, when given, learns where the script's sections begin.
ScriptLines makeGoldSourceScript(
    const GoldSourceScriptInput& input, const ScriptOrigin& origin, ScriptSections* sections = nullptr);

} // namespace ferrowind
