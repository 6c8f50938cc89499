#pragma once

#include <optional>
#include <string>

namespace batchrun {

// The console and desktop calls the runner needs, kept apart so the rest of the library stays portable.
// Programs are started through base/Process.h.

// One line of standard input without its line end, read byte by byte so that programs started later see the
// rest of the input; nothing at end of input. A line longer than the line limit comes in pieces of that
// length, so an input without line ends never grows without bound.
std::optional<std::string> readStandardInputLine();

// Waits for one key (one byte when the input is not a terminal); false at end of input.
bool waitForKey();

bool standardOutputIsTerminal();

// Opens a document or folder with the desktop's associated program; "" on success, otherwise the problem.
std::string openWithAssociatedProgram(const std::string& path);

// Asks the system to power off, through its own command; "" when the request was accepted.
std::string requestPowerOff();

} // namespace batchrun
