#pragma once

#include "compile/Arguments.h"
#include "compile/UnattendedHost.h"
#include "config/Configuration.h"
#include "config/WorkingFolders.h"
#include "script/ScriptLines.h"
#include "script/ScriptText.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ferrowind {

// Where an unattended compile's settings come from.
struct CompileSetup {
    Configuration configuration;
    WorkingFolders folders; // for the presets
    std::string programPath; // the desktop program, which the script calls back with "+beep"
};

// An unattended compile, ready to run.
struct PreparedCompile {
    ScriptLines script;
    StagePlan plan; // its stages' tools are the only programs it runs
    ScriptSections sections; // where the script's stages and sections begin
    std::string bspFile; // the .bsp the stages leave beside the map
    std::string bspCopy; // where the script copies it; "" when it does not
    std::vector<std::string> inputs; // files read to make it (the map, the preset), which nothing may replace
};

// The script the map's page would write for the map with the named preset applied, after the page's
// checks. Every message a check would show goes to `errors`, and a question is answered No: nothing is
// there to say Yes. A preset's parameter field with a command character outside quotes is refused, as it
// would run another command. Nothing when the compile cannot go ahead.
std::optional<PreparedCompile> prepareCompile(
    const CompileArguments& arguments, const CompileSetup& setup, const ScriptOrigin& origin, std::ostream& errors);

} // namespace ferrowind
