#pragma once

#include "script/ScriptChecks.h"
#include "source/SourceScriptInput.h"

namespace ferrowind {

// The gate before a Half-Life 2 script is run or saved. Unlike the Half-Life check it leaves the focus
// alone (a missing map is a plain refusal) and also asks about the Bin folder.
Findings checkSourceCompile(const SourceScriptInput& input);

} // namespace ferrowind
