#include "Harness.h"

#include "batchrun/ConsoleEscapes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace batchrun;

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class RunnerTest : public ::testing::Test {
protected:
    ScriptRun Run(const std::string& text, std::vector<std::string> answers = {}, bool terminal = false)
    {
        return RunScript(text, session, host, std::move(answers), terminal);
    }

    ScratchFolder scratch;
    Session session = TestSession(scratch.Path());
    RecordingHost host;
};

TEST_F(RunnerTest, EchoRules)
{
    const ScriptRun run = Run("@echo off\necho.\necho  two  \necho\necho on\necho\n");
    EXPECT_EQ(run.out, "\n two  \nECHO is off.\n\n" + scratch.Path() + ">echo\nECHO is on.\n");
}

TEST_F(RunnerTest, ExpandedAmpersandIsParsedAsACommandSeparator)
{
    const ScriptRun run = Run("@echo off\nset V=one^&echo two\necho %V%\necho \"%V%\"\n");
    EXPECT_EQ(run.out, "one\ntwo\n\"one&echo two\"\n");
}

TEST_F(RunnerTest, GotoFindsLabelsIgnoringCaseAndEndsOnAMissingOne)
{
    const ScriptRun found = Run("@echo off\ngoto :Later now\necho skipped\n:LATER trailing text\necho here\n");
    EXPECT_EQ(found.out, "here\n");
    const ScriptRun missing = Run("@echo off\ngoto NOWHERE\necho after\n");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_THAT(missing.err, HasSubstr("NOWHERE"));
    EXPECT_EQ(Run("@echo off\ngoto :eof\necho after\n").out, "");
}

TEST_F(RunnerTest, ErrorLevelConditionMeansAtLeast)
{
    host.fakeExitCode = 2;
    const ScriptRun run = Run("@echo off\ntrue\nif ERRORLEVEL 2 echo two\nif errorlevel 3 echo three\n"
                              "if not errorlevel 3 echo below\n");
    EXPECT_EQ(run.out, "two\nbelow\n");
    EXPECT_EQ(run.exitCode, 2);
}

TEST_F(RunnerTest, ComparisonIsExactTextUnlessIgnoringCase)
{
    const ScriptRun run = Run("@echo off\nset A=Nil\nif %A%==nil echo exact\nif /i %A%==nil echo folded\n"
                              "if \"%A%\"==\"Nil\" if not \"%A%\"==\"x\" echo nested & echo same-line\n");
    EXPECT_EQ(run.out, "folded\nnested \nsame-line\n");
}

TEST_F(RunnerTest, AndOrChainsFollowTheLastCommandThatRan)
{
    host.fakeExitCode = 1;
    const ScriptRun run = Run("@echo off\ntrue && echo no || echo failed & echo always\n");
    EXPECT_EQ(run.out, "failed \nalways\n");
}

TEST_F(RunnerTest, PromptKeepsTheValueOnAnEmptyAnswerAndEndsAtEndOfInput)
{
    const ScriptRun run = Run("@echo off\nset X=nil\nset /P X=Pick: \necho [%x%]\nset /P X=Pick: \necho [%X%]\n"
                              "set /P X=Pick: \necho never\n",
                              {"", "2"});
    EXPECT_EQ(run.out, "Pick: [nil]\nPick: [2]\nPick: \n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("end of input"));
}

TEST_F(RunnerTest, SetForms)
{
    const ScriptRun run = Run("@echo off\nset \"Q=a & b\" ignored\nset E=x\nset E=\nset Q\nif defined E echo bad\n");
    EXPECT_EQ(run.out, "Q=a & b\n");
}

TEST_F(RunnerTest, ExitEndsWithTheGivenOrTheCurrentLevel)
{
    EXPECT_EQ(Run("exit /b 7\necho no\n").exitCode, 7);
    host.fakeExitCode = 4;
    EXPECT_EQ(Run("@echo off\ntrue\nexit\n").exitCode, 4);
}

TEST_F(RunnerTest, UnknownCommandsReportAndTheScriptGoesOn)
{
    const ScriptRun run = Run("@echo off\nno-such-tool x\necho %ERRORLEVEL%\nfor %%i in (a) do echo %%i\n"
                              "echo a > file\necho %ERRORLEVEL%\n");
    EXPECT_EQ(run.out, "9009\n9009\n");
    EXPECT_THAT(run.err, HasSubstr("'no-such-tool' is not recognized"));
    EXPECT_THAT(run.err, HasSubstr("'for' is not supported"));
    EXPECT_THAT(run.err, HasSubstr("redirection"));
    EXPECT_FALSE(scratch.Has("file"));
}

TEST_F(RunnerTest, ProgramGetsSplitArgumentsTheFolderAndTheVariables)
{
    const std::string tool = scratch.Write("tools/my tool", "#!/bin/sh\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    scratch.Write("work/readme", "");
    Run("@echo off\nset MAPFILE=\"/maps/a b.map\"\ncd \"work\"\n\"../tools/my tool\" %MAPFILE% -x \"q\\\"r\"\n");
    ASSERT_EQ(host.runs.size(), 1u);
    EXPECT_EQ(host.runs[0].file, scratch.Path() + "/tools/my tool");
    EXPECT_THAT(host.runs[0].arguments, ElementsAre("../tools/my tool", "/maps/a b.map", "-x", "q\"r"));
    EXPECT_EQ(host.runs[0].folder, scratch.Path() + "/work");
    EXPECT_THAT(host.runs[0].environment, ::testing::Contains("MAPFILE=\"/maps/a b.map\""));
}

TEST_F(RunnerTest, WindowsProgramsGoThroughWineOrAreExplained)
{
    scratch.Write("hlcsg.exe", "MZ\x90");
    session.environment.Set("PATH", scratch.Path() + "/no-wine-here");
    const ScriptRun without = Run("@echo off\nhlcsg.exe box.map\necho %ERRORLEVEL%\n");
    EXPECT_THAT(without.err, HasSubstr("install Wine"));
    EXPECT_EQ(without.out, "9009\n");

    const std::string wine = scratch.Write("bin/wine", "");
    std::filesystem::permissions(wine, std::filesystem::perms::owner_all);
    session.environment.Set("PATH", scratch.Path() + "/bin");
    Run("hlcsg.exe box.map\n");
    ASSERT_EQ(host.runs.size(), 1u);
    EXPECT_EQ(host.runs[0].file, wine);
    EXPECT_THAT(host.runs[0].arguments, ElementsAre("wine", scratch.Path() + "/hlcsg.exe", "box.map"));
}

TEST_F(RunnerTest, StartTakesAQuotedFirstWordAsTitleAndDoesNotWait)
{
    scratch.Write("box.log", "log");
    const std::string viewer = scratch.Write("viewer", "");
    std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
    Run("@echo off\nset LOGVIEW=\"Notepad\"\nstart %LOGVIEW% \"box.log\"\nNOTEPAD box.log\n"
        "start \"title\" viewer \"box.log\"\n");
    EXPECT_THAT(host.opened, ElementsAre(scratch.Path() + "/box.log", scratch.Path() + "/box.log"));
    EXPECT_TRUE(host.runs.empty());
    ASSERT_EQ(host.starts.size(), 1u);
    EXPECT_THAT(host.starts[0].arguments, ElementsAre("viewer", "box.log"));
}

TEST_F(RunnerTest, CopyOntoAFolderOrAFileAndDelete)
{
    scratch.Write("maps/box.bsp", "bsp");
    scratch.Write("out/keep", "");
    const ScriptRun run = Run("@echo off\ncd maps\ncopy \"box.bsp\" \"../out\"\ncopy box.bsp ../out/renamed.bsp\n"
                              "del box.bsp\ndel box.bsp\ncopy box.bsp ../out\necho %ERRORLEVEL%\n");
    EXPECT_TRUE(scratch.Has("out/box.bsp"));
    EXPECT_TRUE(scratch.Has("out/renamed.bsp"));
    EXPECT_FALSE(scratch.Has("maps/box.bsp"));
    EXPECT_THAT(run.err, HasSubstr("Could Not Find"));
    EXPECT_EQ(Count(run.out, "1 file(s) copied."), 2u);
    EXPECT_THAT(run.out, HasSubstr("0 file(s) copied.\n1\n"));
}

TEST_F(RunnerTest, ShutdownGoesThroughTheHost)
{
    Run("shutdown /s /f\nshutdown /r\n");
    EXPECT_EQ(host.powerOffs, 1);
}

TEST_F(RunnerTest, ConsoleEscapesOnlyOnATerminal)
{
    const std::string script = "@echo off\ncolor 1E\ntitle Map: [box]\ncls\ncolor 77\necho %ERRORLEVEL%\n";
    EXPECT_EQ(Run(script).out, "1\n");
    const ScriptRun terminal = Run(script, {}, true);
    EXPECT_EQ(terminal.out, ColorEscape({1, 14}) + TitleEscape("Map: [box]") + ClearScreenEscape() + "1\n");
}

TEST(ConsoleEscapes, ConsoleColoursMapToTheirAnsiCounterparts)
{
    EXPECT_EQ(ColorEscape({0, 7}), "\x1b[37;40m");
    EXPECT_EQ(ColorEscape({1, 14}), "\x1b[93;44m");
    EXPECT_EQ(ColorEscape({12, 10}), "\x1b[92;101m");
    EXPECT_FALSE(ParseColorArgument("AA"));
    EXPECT_FALSE(ParseColorArgument("0G"));
}
