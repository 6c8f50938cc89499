#pragma once

#include <string>
#include <vector>

// Starting programs, waited for or detached; the one copy every program uses.
namespace base {

struct ProgramStart {
    std::string file; // program file to execute
    std::vector<std::string> arguments; // program name first
    std::string folder; // working folder of the program; "" keeps ours
    std::vector<std::string> environment; // "NAME=value"
    // Run in a process group of its own, ended whole when this process is asked to end or when the limit
    // passes (on POSIX systems; see endRunningGroupOnTermination).
    bool ownProcessGroup = false;
    double limitSeconds = 0; // with ownProcessGroup: the group is killed after this long; 0 waits for ever
};

struct ProgramResult {
    bool started = false;
    int exitCode = 0;
    std::string problem; // why it did not start
    bool timedOut = false; // ended by the limit
};

// This process's id: unique among the processes running at the same time.
long currentProcessId();

// "NAME=value" strings of this process.
std::vector<std::string> processEnvironment();

// Starts the program with this process's standard streams and waits for it. A program ended by a signal
// reports 128 plus the signal number, so a crash counts as a failure.
ProgramResult runProgramAndWait(const ProgramStart& start);

// From now on a termination request (interrupt, terminate, hang-up, quit) first kills the whole process group
// of the program started with ownProcessGroup that is running, then ends this process as the request asks.
// Without it a killed caller would leave the program running on its own.
void endRunningGroupOnTermination();

// Starts the program in its own session without waiting; its standard input is the null device so that it
// never competes with us for the terminal. Empty on success, otherwise the problem.
std::string startProgramDetached(const ProgramStart& start);

} // namespace base
