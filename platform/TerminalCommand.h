#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ferrowind {

// The command line that opens a terminal emulator running `runner script`: the program named by
// $TERMINAL first (with -e), then the usual emulators, each with its own way of taking a command.
// `findProgram` resolves a program name to a path, or "" when it is not installed.
std::optional<std::vector<std::string>> terminalCommand(const char* terminalVariable, const std::string& runner,
    const std::string& script, const std::function<std::string(const std::string&)>& findProgram);

inline constexpr const char* kNoTerminalMessage =
    "No terminal emulator was found to run the script.\r\n"
    "Install one (for example: sudo apt install xterm) or set the TERMINAL environment variable to your terminal's "
    "command.";

} // namespace ferrowind
