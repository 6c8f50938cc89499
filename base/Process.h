#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Starting programs, waited for or detached; the one copy every program uses.
namespace base {

struct ProgramStart {
    std::string file; // program file to execute
    std::vector<std::string> arguments; // program name first
    std::string folder; // working folder of the program; "" keeps ours
    std::vector<std::string> environment; // "NAME=value"
    // Run in a process group of its own (a job on Windows), so that ending it ends everything it started: when
    // the time limit passes, and on POSIX systems when this process is asked to end (endRunningGroupOnTermination).
    bool ownProcessGroup = false;
    // Bounds a waited-for run; implies ownProcessGroup.
    std::optional<std::chrono::milliseconds> timeLimit{};
    // For a waited-for run on POSIX systems: the program's output and error output go to a pseudo-terminal of
    // their own, so that a program that holds its output back when it is not writing to a terminal writes as it
    // goes, and reach this function as they come, byte for byte, instead of our output. Its input stays ours.
    // On Windows the program writes to our output and this function gets nothing.
    std::function<void(std::string_view)> output{};
};

// Whether a waited-for run hands the program's output to ProgramStart::output: on POSIX systems only, where a
// pseudo-terminal keeps it coming as the program writes it.
#ifdef _WIN32
inline constexpr bool kProgramOutputIsHandedOn = false;
#else
inline constexpr bool kProgramOutputIsHandedOn = true;
#endif

struct ProgramResult {
    bool started = false;
    int exitCode = 0;
    std::string problem; // why it did not start, or why it was ended
    bool timedOut = false; // ended by timeLimit; exitCode is then 1
};

// The problem a run that outlived its time limit reports: "did not end within 2.5 s and was stopped".
std::string timeLimitProblem(std::chrono::milliseconds limit);

// This process's id: unique among the processes running at the same time.
long currentProcessId();

// "NAME=value" strings of this process.
std::vector<std::string> processEnvironment();

// Starts the program with this process's standard streams and waits for it, at most its time limit; its own
// process group, if it has one, is ended with it. A program ended by a signal reports 128 plus the signal number,
// so a crash counts as a failure, and the signal as its problem ("was ended by signal 11 (Segmentation fault)").
ProgramResult runProgramAndWait(const ProgramStart& start);

// From now on a termination request (interrupt, terminate, hang-up, quit) first kills the whole process group
// of the program with its own group that is being waited for, then ends this process as the request asks.
// Without it a killed caller would leave the program running on its own.
void endRunningGroupOnTermination();

// Starts the program in its own session without waiting; its standard input is the null device so that it
// never competes with us for the terminal. Empty on success, otherwise the problem.
std::string startProgramDetached(const ProgramStart& start);

} // namespace base
