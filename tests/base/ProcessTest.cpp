#include "base/Process.h"
#include "support/BoundedRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace std::chrono_literals;

namespace {

std::vector<long> processIds(const std::string& file)
{
    std::vector<long> ids;
    std::ifstream in(file);
    for (long id = 0; in >> id;)
        ids.push_back(id);
    return ids;
}

bool isRunning(long id)
{
#ifdef _WIN32
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (!process)
        return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
#else
    // A killed process whose parent is gone may linger a moment as a zombie: it runs no more.
    std::ifstream stat("/proc/" + std::to_string(id) + "/stat");
    std::string pid, name, state;
    return stat >> pid >> name >> state && state != "Z";
#endif
}

// Killing is asynchronous: give the system a moment to finish what it was told.
bool endsSoon(long id)
{
    for (int tries = 0; tries < 500 && isRunning(id); ++tries)
        std::this_thread::sleep_for(10ms);
    return !isRunning(id);
}

base::ProgramStart sleeper(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), BASE_SLEEPER);
    return {BASE_SLEEPER, arguments, {}, base::processEnvironment(), {}};
}

} // namespace

TEST(ProcessTest, AHangingProgramAndWhatItStartedEndAtTheTimeLimit)
{
    TempFolder dir;
    const std::string ids = dir.path("ids.txt");
    base::ProgramStart start = sleeper({ids, BASE_SLEEPER});
    start.timeLimit = 3s;
    const base::ProgramResult result = base::runProgramAndWait(start);
    EXPECT_TRUE(result.started);
    EXPECT_TRUE(result.timedOut);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.problem, "did not end within 3 s and was stopped");
    const std::vector<long> started = processIds(ids);
    EXPECT_EQ(started.size(), 2u) << "the program and the copy it started";
    for (long id : started)
        EXPECT_TRUE(endsSoon(id)) << "process " << id << " outlived the run";
}

TEST(ProcessTest, AHangingProgramFailsTheTestThatStartedItNamingTheProgram)
{
    TempFolder dir;
    const testsupport::BoundedRun run = testsupport::runBounded(sleeper({dir.path("ids.txt")}), 1s);
    EXPECT_EQ(run.failure, "'" BASE_SLEEPER " " + dir.path("ids.txt") + "' did not end within 1 s and was stopped");
}

TEST(ProcessTest, AProgramThatEndsInTimeGivesItsOwnExitCode)
{
    for (const auto& limit :
        {std::optional<std::chrono::milliseconds>{}, std::optional<std::chrono::milliseconds>{20s}}) {
        base::ProgramStart start = sleeper({});
        start.timeLimit = limit;
        const base::ProgramResult result = base::runProgramAndWait(start);
        EXPECT_TRUE(result.started);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitCode, 2);
    }
}

TEST(ProcessTest, TheTimeLimitIsGivenInSecondsToATenth)
{
    const std::pair<std::chrono::milliseconds, const char*> cases[] = {
        {500ms, "did not end within 0.5 s and was stopped"},
        {20s, "did not end within 20 s and was stopped"},
        {1250ms, "did not end within 1.3 s and was stopped"},
        {90s, "did not end within 90 s and was stopped"},
    };
    for (const auto& [limit, text] : cases)
        EXPECT_EQ(base::timeLimitProblem(limit), text);
}

#ifndef _WIN32
namespace {

struct Captured {
    base::ProgramResult result;
    std::string output;
    size_t chunks = 0;
};

Captured runCapturing(base::ProgramStart start)
{
    Captured captured;
    start.output = [&captured](std::string_view chunk) {
        captured.output += chunk;
        ++captured.chunks;
    };
    captured.result = base::runProgramAndWait(start);
    return captured;
}

base::ProgramStart shell(const std::string& commands)
{
    return {"/bin/sh", {"sh", "-c", commands}, {}, base::processEnvironment(), {}};
}

} // namespace

// Programs write to a terminal and we get their bytes as written: no carriage return is added, none lost.
TEST(ProcessTest, OnATerminalTheOutputAndErrorOutputComeByteForByte)
{
    const Captured captured =
        runCapturing(shell("test -t 1 && test -t 2 && printf 'one\\ntwo\\r\\n 3%%\\r' && printf 'err\\n' >&2; exit 7"));
    EXPECT_TRUE(captured.result.started);
    EXPECT_EQ(captured.result.exitCode, 7);
    EXPECT_EQ(captured.output, "one\ntwo\r\n 3%\rerr\n");

    // Five megabytes without a line end, in pieces, all of them.
    const Captured flood = runCapturing(shell("head -c 5000000 /dev/zero | tr '\\0' x"));
    EXPECT_EQ(flood.result.exitCode, 0);
    EXPECT_EQ(flood.output.size(), 5000000u);
    EXPECT_EQ(flood.output.find_first_not_of('x'), std::string::npos);
    EXPECT_GT(flood.chunks, 1u);

    const Captured missing = runCapturing({"/nonexistent/tool", {"tool"}, {}, {}, {}});
    EXPECT_FALSE(missing.result.started);
}

// A crash is a failure that says what ended the program, with or without a terminal.
TEST(ProcessTest, AProgramEndedByASignalFailsAndNamesTheSignal)
{
    const std::pair<const char*, const char*> cases[] = {
        {"kill -SEGV $$", "was ended by signal 11 (Segmentation fault)"},
        {"kill -KILL $$", "was ended by signal 9 (Killed)"},
    };
    for (const auto& [command, problem] : cases) {
        for (const bool terminal : {false, true}) {
            const base::ProgramResult result =
                terminal ? runCapturing(shell(command)).result : base::runProgramAndWait(shell(command));
            EXPECT_TRUE(result.started);
            EXPECT_GT(result.exitCode, 128) << command;
            EXPECT_EQ(result.problem, problem) << command;
        }
    }
}

// Termination requests are held while a program is started in a group of its own, so that one never leaves
// the group running; the program itself starts with the signals as we have them.
TEST(ProcessTest, AProgramInItsOwnGroupStartsWithNoSignalHeldForItsStart)
{
    TempFolder dir;
    const auto heldSignals = [](const std::string& status) { return status.substr(status.find("SigBlk:"), 25); };
    const std::string ours = heldSignals(readBytes("/proc/self/status"));
    for (const bool terminal : {false, true}) {
        base::ProgramStart start = shell("cat /proc/self/status > '" + dir.path("status.txt") + "'");
        start.ownProcessGroup = true;
        const base::ProgramResult result = terminal ? runCapturing(start).result : base::runProgramAndWait(start);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(heldSignals(readBytes(dir.path("status.txt"))), ours) << terminal;
    }
}

TEST(ProcessTest, OnATerminalAHangingProgramAndWhatItStartedStillEndAtTheTimeLimit)
{
    TempFolder dir;
    const std::string ids = dir.path("ids.txt");
    base::ProgramStart start = sleeper({ids, BASE_SLEEPER});
    start.timeLimit = 2s;
    const Captured captured = runCapturing(start);
    EXPECT_TRUE(captured.result.timedOut);
    EXPECT_EQ(captured.result.problem, "did not end within 2 s and was stopped");
    const std::vector<long> started = processIds(ids);
    EXPECT_EQ(started.size(), 2u);
    for (long id : started)
        EXPECT_TRUE(endsSoon(id)) << "process " << id << " outlived the run";

    // Writing without end is no way around the limit.
    base::ProgramStart flood = shell("yes 'a line'");
    flood.timeLimit = 1s;
    EXPECT_TRUE(runCapturing(flood).result.timedOut);
}
#endif
