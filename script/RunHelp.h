#pragma once

#include "config/WorkingFolders.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"
#include "script/ScriptLines.h"

#include <string>

namespace ferrowind {

inline constexpr const char* kHelpMissingMessage = "Help file is not found!";

// The help page on running the program from a level editor, when it is installed.
std::string helpPagePath(const WorkingFolders& folders);
// Where the short text of the command-line switches is written when the help page is missing.
std::string runHelpTextPath(const WorkingFolders& folders);

// The seven lines of that text, in the platform's encoding: the dash of the third line is Windows-1252's
// en dash on Windows and UTF-8's on Linux, so it reads as a dash in either's text viewer.
ScriptLines runHelpLines();

// "Run from...": opens the help page; without it, says so and, once the user has closed the message, writes
// the text anew and opens it. A text that cannot be written is not opened, and nothing more is said.
void showRunHelp(const WorkingFolders& folders, Prompts& prompts, Shell& shell);

} // namespace ferrowind
