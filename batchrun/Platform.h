#pragma once

#include <optional>
#include <string>
#include <vector>

namespace batchrun {

// The few operating-system calls the runner needs, kept apart so the rest of the library stays portable.

struct ProgramStart {
    std::string file;                     // program file to execute
    std::vector<std::string> arguments;   // program name first
    std::string folder;                   // working folder of the program
    std::vector<std::string> environment; // "NAME=value"
};

struct ProgramResult {
    bool started = false;
    int exitCode = 0;
    std::string problem; // why it did not start
};

// "NAME=value" strings of this process.
std::vector<std::string> ProcessEnvironment();

// Starts the program with this process's standard streams and waits for it. A program ended by a signal
// reports 128 plus the signal number, so a crash counts as a failure.
ProgramResult RunProgramAndWait(const ProgramStart& start);

// Starts the program in its own session without waiting; its standard input is the null device so that it
// never competes with the script for the terminal. Empty on success, otherwise the problem.
std::string StartProgramDetached(const ProgramStart& start);

// One line of standard input without its line end, read byte by byte so that programs started later see the
// rest of the input; nothing at end of input.
std::optional<std::string> ReadStandardInputLine();

// Waits for one key (one byte when the input is not a terminal); false at end of input.
bool WaitForKey();

bool StandardOutputIsTerminal();

} // namespace batchrun
