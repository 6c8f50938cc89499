// The command interpreter's limits: no input, however long, may make ferrowind-cmd grow without bound or abort.
#include "Harness.h"

#include "batchrun/Limits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

using namespace batchrun;

using ::testing::HasSubstr;

namespace {

TEST(Limits, ALineLongerThanTheInterpreterTakesEndsTheScript)
{
    ScratchFolder scratch;
    const std::string fits = "echo " + std::string(kMaxLineLength - 5, 'x');
    struct Case {
        std::string script;
        std::string out;
        int exitCode;
    };
    const Case cases[] = {
        {"@echo off\n" + fits + "\necho after\n", fits.substr(5) + "\nafter\n", 0},
        {"@echo off\n" + fits + "y\necho after\n", "", 1},
        // Expansion past the limit, even by a single variable far longer than the line that names it.
        {"@echo off\nset A=" + std::string(8000, 'a') + "\necho %A%%A%\necho after\n", "", 1},
    };
    for (const Case& c : cases) {
        Session session = testSession(scratch.path());
        RecordingHost host;
        const ScriptRun run = runScript(c.script, session, host);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err, c.exitCode == 0 ? "" : "The input line is too long.\n");
    }
}

// Doubling a variable 22 times took 921 MB; the line limit stops it at the first line that would pass it.
TEST(Limits, DoublingAVariableStopsAtTheLineLimit)
{
    ScratchFolder scratch;
    std::string script = "@echo off\nset V=0123456789\n";
    for (int i = 0; i < 22; ++i)
        script += "set V=%V%%V%\n";
    script += "echo never\n";
    Session session = testSession(scratch.path());
    RecordingHost host;
    const ScriptRun run = runScript(script, session, host);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "The input line is too long.\n");
    EXPECT_EQ(session.environment.get("V")->size(), 10u * 512);
}

// Reading /dev/zero as a script ended in an out-of-memory abort, and a pipe waited for a writer for ever: only
// a regular file of a sane size is a script.
TEST(Limits, OnlyARegularFileOfASaneSizeIsAScript)
{
    ScratchFolder scratch;
    const std::string fifo = scratch.path() + "/pipe.bat";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const std::string large = scratch.write("large.bat", std::string(kMaxScriptSize + 1, '\n'));
    const std::pair<std::string, std::string> cases[] = {
        {"/dev/zero", "it is a device, not a regular file"},
        {fifo, "it is a pipe (FIFO), not a regular file"},
        {large, "it is larger than 1 MiB"},
    };
    for (const auto& [script, reason] : cases) {
        const ScriptRun run = runFerrowindCmd(scratch, script, "/dev/null");
        EXPECT_EQ(run.exitCode, 1) << script;
        EXPECT_EQ(run.err, "ferrowind-cmd: Unable to read " + script + ": " + reason + "\n");
    }
}

// An answer without a line end comes in pieces of the line limit instead of filling the memory.
TEST(Limits, AnEndlessAnswerIsTakenInPiecesOfTheLineLimit)
{
    ScratchFolder scratch;
    const std::string script =
        scratch.write("ask.bat", "@echo off\r\nset /P A=\r\nset /P B=\r\nif defined B echo two answers\r\n");
    const ScriptRun run = runFerrowindCmd(scratch, script, "/dev/zero");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "two answers\n");
    EXPECT_EQ(run.err, "");
}

} // namespace
