#pragma once

#include "script/ScriptLines.h"

#include <string>

namespace ferrowind {

inline constexpr const char* kDecompileScriptName = "Decompile.bat";

// One decompile script's worth of settings, taken from the page when the action runs.
struct DecompileScriptInput {
    std::string tempDir; // ends with a separator; holds the decompiler
    std::string bspPath;
    std::string outputFolder; // used as it is; ends with a separator when the program or the picker set it
    // The decompiled files are moved into the output folder; false also when that folder is the file's own, so
    // nothing is copied onto itself and then deleted.
    bool moveToOutput = false;
    bool extractTextures = false;
    bool brenmoor = false;
    bool pause = false;
    std::string consoleColor = "07";
};

// Names the decompile script in refusals.
inline constexpr const char* kDecompileScriptKind = "decompile";

// The whole script: 8 lines, 12 when the files move to the output folder (each copied, then deleted only when
// its copy succeeded), and "Pause" last when asked for. Throws ScriptRefusal for a path that no script can
// carry, or a file name holding a character a title would run as a command.
ScriptLines decompileScript(const DecompileScriptInput& input);

} // namespace ferrowind
