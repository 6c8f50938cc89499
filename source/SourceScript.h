#pragma once

#include "script/ScriptText.h"
#include "source/SourceScriptInput.h"

namespace ferrowind {

// The whole Half-Life 2 compile script; throws ScriptRefusal for a value that no script can carry.
// `sections`, when given, learns where the script's sections begin.
ScriptLines makeSourceScript(
    const SourceScriptInput& input, const ScriptOrigin& origin, ScriptSections* sections = nullptr);

} // namespace ferrowind
