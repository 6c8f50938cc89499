#pragma once

#include "script/ScriptText.h"
#include "source/SourceScriptInput.h"

#include <string>
#include <vector>

namespace ferrowind {

// The whole Half-Life 2 compile script.
ScriptLines makeSourceScript(const SourceScriptInput& input, const ScriptOrigin& origin);

// The configured paths that the script carries, for the safety check.
std::vector<std::string> sourceScriptPaths(const SourceScriptInput& input);

} // namespace ferrowind
