// The ferrowind-cmd program itself, with real standard input.
#include "Harness.h"
#include "support/BoundedRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

using namespace batchrun;

using ::testing::HasSubstr;

namespace {

std::string quoted(const std::string& path) { return "'" + path + "'"; }

std::string readFile(const std::string& path)
{
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), {}};
}

ScriptRun runCmd(const ScratchFolder& scratch, const std::string& script, const std::string& input)
{
    return runFerrowindCmd(scratch, scratch.write("run.bat", script), scratch.write("input.txt", input));
}

} // namespace

TEST(CommandLine, AnswersComeFromStandardInputAndTheRestReachesPrograms)
{
    ScratchFolder scratch;
    const ScriptRun run = runCmd(scratch,
        "@echo off\r\n:ASK\r\nset R=nil\r\nset /P R=Number: \r\nif %R%==1 goto DONE\r\n"
        "goto ASK\r\n:DONE\r\n\"/bin/sh\" -c \"read rest; echo child:$rest; exit 3\"\r\n",
        "\n2\n1\nleft over\n");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "Number: Number: Number: child:left over\n");
}

TEST(CommandLine, EndOfInputAtAPromptEndsTheScript)
{
    ScratchFolder scratch;
    const ScriptRun run = runCmd(scratch, "@echo off\r\n:ASK\r\nset /P R=Number: \r\ngoto ASK\r\n", "");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("end of input"));
}

TEST(CommandLine, MissingScriptOrAFolderIsReported)
{
    ScratchFolder scratch;
    const std::string err = scratch.path() + "/err.txt";
    for (const auto& [script, message] :
        {std::pair{std::string("/nonexistent/x.bat"), std::string("Unable to read /nonexistent/x.bat: no such file")},
            std::pair{scratch.path(), "Unable to read " + scratch.path() + ": it is a folder, not a regular file"}}) {
        const testsupport::BoundedRun run = testsupport::runShellBounded(
            quoted(FERROWIND_CMD) + " " + quoted(script) + " 2> " + quoted(err), testsupport::kStubLimit);
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.exitCode, 1) << script;
        EXPECT_EQ(readFile(err), "ferrowind-cmd: " + message + "\n");
    }
}
