#pragma once

#include "base/Process.h"

#include <chrono>
#include <string>

// Programs a test starts run bounded: a hang fails that test within its bound, naming the command, instead of
// holding the whole suite until ctest's timeout, and nothing the program started is left running.
namespace testsupport {

// Stub programs and ferrowind-cmd on a short script; generous for a loaded machine under the sanitizers.
inline constexpr std::chrono::seconds kStubLimit{20};
// A real compile tool, on the largest shared map under a loaded machine, or a whole compile of a small map.
inline constexpr std::chrono::seconds kToolLimit{240};

struct BoundedRun {
    int exitCode = -1; // 128 plus the signal for a crash
    std::string failure; // empty when the program started and ended in time; else what the test should report
};

inline std::string describe(const base::ProgramStart& start)
{
    std::string text;
    for (const std::string& argument : start.arguments)
        text += (text.empty() ? "" : " ") + argument;
    return "'" + text + "'";
}

inline BoundedRun runBounded(base::ProgramStart start, std::chrono::milliseconds limit)
{
    if (start.environment.empty())
        start.environment = base::processEnvironment();
    start.timeLimit = limit;
    const base::ProgramResult result = base::runProgramAndWait(start);
    if (!result.started)
        return {-1, "could not start " + describe(start) + ": " + result.problem};
    if (result.timedOut)
        return {result.exitCode, describe(start) + " " + result.problem};
    return {result.exitCode, {}};
}

#ifndef _WIN32
// A shell command line, with its redirections, bounded like any program.
inline BoundedRun runShellBounded(const std::string& commandLine, std::chrono::milliseconds limit)
{
    return runBounded({"/bin/sh", {"sh", "-c", commandLine}, {}, {}, {}}, limit);
}
#endif

} // namespace testsupport
