#pragma once

#include "app/Folders.h"
#include "app/ScriptLines.h"
#include "platform/Shell.h"

#include <string>

inline constexpr const char* kCompileScriptName = "Compile.bat";
inline constexpr const char* kSaveFilter = "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd|All files (*.*)|*.*";
inline constexpr const char* kSaveFailedMessage = "Access error. File is not saved!";

// Writes the script to Compile.bat in the Temp folder (creating the working folders first) and starts
// it in a console. Failures to write end quietly with started false; a console that cannot be
// started says why in `problem`.
ShellResult RunCompileScript(const ScriptLines& lines, const std::string& programDir, Shell& shell);

// "<map name> compile": the name Save As offers for a map edit's text.
std::string DefaultSaveName(const std::string& mapEdit);

// The file Save As writes: under the batch-file filter (index 1) a name whose extension is not
// ".bat" gets ".bat" appended; under any other filter the name stays as typed.
std::string SaveAsPath(const std::string& chosen, int filterIndex);
