#pragma once

#include "config/WorkingFolders.h"
#include "platform/Shell.h"
#include "script/ScriptLines.h"

#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

namespace ferrowind {

inline constexpr const char* kCompileScriptName = "Compile.bat";
inline constexpr const char* kSaveFilter = "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd|All files (*.*)|*.*";
inline constexpr const char* kSaveFailedMessage = "Access error. File is not saved!";

// The message for a Save As that could not write: the familiar line, then why.
std::string saveFailedMessage(const std::exception& error);

// Writes the script to Compile.bat in the Temp folder (creating the working folders first) and starts
// it in a console. A failed write or a console that cannot be started says why in `problem`.
ShellResult runCompileScript(const ScriptLines& lines, const WorkingFolders& folders, Shell& shell);

// Writes `content` to `<tempDir><name>`, the file users and the batch editor know, and starts the console on a
// private copy beside it, "<stem>-<process>-<n>.bat". The interpreter reads a script while it runs, so a
// running console must never have its file rewritten by a later run of this or another instance. Copies
// older than a day have finished and are removed first.
ShellResult runScriptFile(
    const std::string& content, const std::string& tempDir, const std::string& name, Shell& shell);

// Removes the private copies of `name` in the folder last written before `notAfter`.
void removeRunCopies(const std::string& tempDir, const std::string& name, std::filesystem::file_time_type notAfter);

// The same for a script that is already the file's bytes (the batch editor's text).
ShellResult runCompileScriptText(std::string_view fileText, const WorkingFolders& folders, Shell& shell);

// "<map name> compile": the name Save As offers for a map edit's text.
std::string defaultSaveName(const std::string& mapEdit);

// The file Save As writes: under the batch-file filter (index 1) a name whose extension is not
// ".bat" gets ".bat" appended; under any other filter the name stays as typed.
std::string saveAsPath(const std::string& chosen, int filterIndex);

} // namespace ferrowind
