#pragma once

#include "goldsource/GsConfig.h"
#include "goldsource/ScriptText.h"

// The whole Half-Life compile script for one configuration.
ScriptLines GS_MakeBat(const TGSConfig& config, const ScriptOrigin& origin);

std::string GS_FlagSign(bool flag);

// The configured paths that the script for this configuration carries, for the safety check.
std::vector<std::string> GsScriptPaths(const TGSConfig& config);
