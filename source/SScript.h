#pragma once

#include "goldsource/ScriptText.h"
#include "source/SConfig.h"

#include <string>
#include <vector>

// The whole Half-Life 2 compile script for one configuration.
ScriptLines S_MakeBat(const TSConfig& config, const ScriptOrigin& origin);

// The configured paths that the script for this configuration carries, for the safety check.
std::vector<std::string> SScriptPaths(const TSConfig& config);
