#pragma once

#include "batchrun/Context.h"

#include <string_view>

namespace batchrun {

// Built-in commands. Each takes the text after its name, which starts with the character that ended the
// name (a blank, or the '.' of "echo.").
using CommandFunction = Outcome (*)(Context& context, std::string_view rest);

// The built-in command of that lower-case name, or nothing.
CommandFunction findBuiltin(std::string_view name);

// Interpreter commands that exist but that the runner does not implement.
bool isUnsupportedInternal(std::string_view name);

// Prints that `what` is not supported and sets the unknown-command error level; the script goes on.
Outcome unsupported(Context& context, std::string_view what);

// Runs the program named by the first word and waits for it.
Outcome runProgram(Context& context, std::string_view text);

Outcome echo(Context& context, std::string_view rest);
Outcome set(Context& context, std::string_view rest);
Outcome title(Context& context, std::string_view rest);
Outcome color(Context& context, std::string_view rest);
Outcome clearScreen(Context& context, std::string_view rest);
Outcome pause(Context& context, std::string_view rest);

Outcome changeFolder(Context& context, std::string_view rest);
Outcome copy(Context& context, std::string_view rest);
Outcome deleteFiles(Context& context, std::string_view rest);

Outcome start(Context& context, std::string_view rest);
Outcome shutdown(Context& context, std::string_view rest);

} // namespace batchrun
