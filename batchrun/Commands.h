#pragma once

#include "batchrun/Context.h"

#include <string_view>

namespace batchrun {

// Built-in commands. Each takes the text after its name, which starts with the character that ended the
// name (a blank, or the '.' of "echo.").
using CommandFunction = Outcome (*)(Context& context, std::string_view rest);

// The built-in command of that lower-case name, or nothing.
CommandFunction FindBuiltin(std::string_view name);

// Interpreter commands that exist but that the runner does not implement.
bool IsUnsupportedInternal(std::string_view name);

// Prints that `what` is not supported and sets the unknown-command error level; the script goes on.
Outcome Unsupported(Context& context, std::string_view what);

// Runs the program named by the first word and waits for it.
Outcome RunProgram(Context& context, std::string_view text);

Outcome Echo(Context& context, std::string_view rest);
Outcome Set(Context& context, std::string_view rest);
Outcome Title(Context& context, std::string_view rest);
Outcome Color(Context& context, std::string_view rest);
Outcome ClearScreen(Context& context, std::string_view rest);
Outcome Pause(Context& context, std::string_view rest);

Outcome ChangeFolder(Context& context, std::string_view rest);
Outcome Copy(Context& context, std::string_view rest);
Outcome Delete(Context& context, std::string_view rest);

Outcome Start(Context& context, std::string_view rest);
Outcome Shutdown(Context& context, std::string_view rest);

} // namespace batchrun
