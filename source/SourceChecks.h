#pragma once

#include "script/ScriptChecks.h"
#include "source/SourceScriptInput.h"

namespace ferrowind {

class Prompts;

// The gate before a Half-Life 2 script is run or saved. Unlike the Half-Life check it leaves the focus
// alone and also asks about the Bin folder.
bool checkSourceCompile(const SourceScriptInput& input, Prompts& prompts);

} // namespace ferrowind
