// The ferrowind-cmd program itself, with real standard input.
#include "Harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

using namespace batchrun;

using ::testing::HasSubstr;

namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& path) { return "'" + path + "'"; }

std::string readFile(const std::string& path)
{
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), {}};
}

ProgramRun runCmd(const ScratchFolder& scratch, const std::string& script, const std::string& input)
{
    const std::string scriptPath = scratch.write("run.bat", script);
    const std::string inputPath = scratch.write("input.txt", input);
    const std::string command = "cd " + quoted(scratch.path()) + " && " + quoted(FERROWIND_CMD) + " run.bat < " +
        quoted(inputPath) + " > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    ProgramRun run;
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = readFile(scratch.path() + "/out.txt");
    run.err = readFile(scratch.path() + "/err.txt");
    return run;
}

} // namespace

TEST(CommandLine, AnswersComeFromStandardInputAndTheRestReachesPrograms)
{
    ScratchFolder scratch;
    const ProgramRun run = runCmd(scratch,
        "@echo off\r\n:ASK\r\nset R=nil\r\nset /P R=Number: \r\nif %R%==1 goto DONE\r\n"
        "goto ASK\r\n:DONE\r\n\"/bin/sh\" -c \"read rest; echo child:$rest; exit 3\"\r\n",
        "\n2\n1\nleft over\n");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "Number: Number: Number: child:left over\n");
}

TEST(CommandLine, EndOfInputAtAPromptEndsTheScript)
{
    ScratchFolder scratch;
    const ProgramRun run = runCmd(scratch, "@echo off\r\n:ASK\r\nset /P R=Number: \r\ngoto ASK\r\n", "");
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
        const int status = std::system((quoted(FERROWIND_CMD) + " " + quoted(script) + " 2> " + quoted(err)).c_str());
        ASSERT_TRUE(WIFEXITED(status)) << script;
        EXPECT_EQ(WEXITSTATUS(status), 1) << script;
        EXPECT_EQ(readFile(err), "ferrowind-cmd: " + message + "\n");
    }
}
