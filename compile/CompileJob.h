#pragma once

#include "compile/Arguments.h"
#include "config/Configuration.h"
#include "config/WorkingFolders.h"
#include "script/ScriptLines.h"
#include "script/ScriptText.h"

#include <optional>
#include <ostream>
#include <string>

namespace ferrowind {

// Where an unattended compile's settings come from.
struct CompileSetup {
    Configuration configuration;
    WorkingFolders folders; // for the presets
    std::string programPath; // the desktop program, which the script calls back with "+beep"
};

// The script the map's page would write for the map with the named preset applied, after the page's
// checks. Every message a check would show goes to `errors`, and a question is answered No: nothing is
// there to say Yes. Nothing when the compile cannot go ahead.
std::optional<ScriptLines> prepareCompile(
    const CompileArguments& arguments, const CompileSetup& setup, const ScriptOrigin& origin, std::ostream& errors);

} // namespace ferrowind
