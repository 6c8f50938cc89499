#include "Harness.h"

#include "base/Process.h"
#include "batchrun/ConsoleEscapes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

using namespace batchrun;

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class RunnerTest : public ::testing::Test {
protected:
    ScriptRun runText(const std::string& text, std::vector<std::string> answers = {}, bool terminal = false)
    {
        return runScript(text, session_, host_, std::move(answers), terminal);
    }

    ScratchFolder scratch_;
    Session session_ = testSession(scratch_.path());
    RecordingHost host_;
};

TEST_F(RunnerTest, EchoRules)
{
    const ScriptRun run = runText("@echo off\necho.\necho  two  \necho\necho on\necho\n");
    EXPECT_EQ(run.out, "\n two  \nECHO is off.\n\n" + scratch_.path() + ">echo\nECHO is on.\n");
}

// Hostile lines end with a message or run as the interpreter runs them; none crashes or runs what it should not.
TEST_F(RunnerTest, NestedIfsAreBoundedAndANulByteEndsItsLine)
{
    std::string nested;
    for (int i = 0; i < 64; ++i)
        nested += "if 1==1 ";
    EXPECT_EQ(runText("@echo off\n" + nested + "echo deep\n").out, "deep\n");

    std::string hostile;
    for (int i = 0; i < 1000; ++i)
        hostile += "if 1==1 ";
    const ScriptRun tooDeep = runText("@echo off\n" + hostile + "echo never\necho after\n");
    EXPECT_EQ(tooDeep.exitCode, 255);
    EXPECT_EQ(tooDeep.out, "");
    EXPECT_EQ(tooDeep.err, "ferrowind-cmd: more than 64 nested 'if' commands on one line; the script ends here.\n");

    const ScriptRun nul = runText(std::string("@echo off\n\0 evil\necho a\0 & canary\necho b\n", 41));
    EXPECT_EQ(nul.out, "a\nb\n");
    EXPECT_EQ(nul.err, "");
    EXPECT_TRUE(host_.runs.empty());
    EXPECT_TRUE(host_.opened.empty());
}

TEST_F(RunnerTest, ExpandedAmpersandIsParsedAsACommandSeparator)
{
    const ScriptRun run = runText("@echo off\nset V=one^&echo two\necho %V%\necho \"%V%\"\n");
    EXPECT_EQ(run.out, "one\ntwo\n\"one&echo two\"\n");
}

TEST_F(RunnerTest, GotoFindsLabelsIgnoringCaseAndEndsOnAMissingOne)
{
    const ScriptRun found = runText("@echo off\ngoto :Later now\necho skipped\n:LATER trailing text\necho here\n");
    EXPECT_EQ(found.out, "here\n");
    const ScriptRun missing = runText("@echo off\ngoto NOWHERE\necho after\n");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_THAT(missing.err, HasSubstr("NOWHERE"));
    EXPECT_EQ(runText("@echo off\ngoto :eof\necho after\n").out, "");
}

// The host sees every label and comment line as it is reached, by running on or by a goto, with the error
// level of that moment, and can end the script there.
TEST_F(RunnerTest, HostSeesLabelsReachedAndMayEndTheScript)
{
    struct LabelHost : RecordingHost {
        std::optional<int> labelReached(size_t index, std::string_view line, int errorLevel) override
        {
            seen.push_back(std::to_string(index) + " " + std::string(line) + " " + std::to_string(errorLevel));
            return line == ":STOP" ? std::optional<int>(7) : std::nullopt;
        }
        std::vector<std::string> seen;
    } host;
    const std::string script = "@echo off\n::one\ngoto later\n:skipped\n:later\ncopy missing.txt "
                               "copy.txt\n:again\ngoto STOP\n:STOP\necho never\n";
    const ScriptRun run = runScript(script, session_, host);
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_THAT(run.out, Not(HasSubstr("never")));
    EXPECT_THAT(host.seen, ElementsAre("1 ::one 0", "4 :later 0", "6 :again 1", "8 :STOP 1"));
}

TEST_F(RunnerTest, ErrorLevelConditionMeansAtLeast)
{
    host_.fakeExitCode = 2;
    const ScriptRun run = runText("@echo off\ntrue\nif ERRORLEVEL 2 echo two\nif errorlevel 3 echo three\n"
                                  "if not errorlevel 3 echo below\n");
    EXPECT_EQ(run.out, "two\nbelow\n");
    EXPECT_EQ(run.exitCode, 2);
}

TEST_F(RunnerTest, ComparisonIsExactTextUnlessIgnoringCase)
{
    const ScriptRun run = runText("@echo off\nset A=Nil\nif %A%==nil echo exact\nif /i %A%==nil echo folded\n"
                                  "if \"%A%\"==\"Nil\" if not \"%A%\"==\"x\" echo nested & echo same-line\n");
    EXPECT_EQ(run.out, "folded\nnested \nsame-line\n");
}

TEST_F(RunnerTest, AndOrChainsFollowTheLastCommandThatRan)
{
    host_.fakeExitCode = 1;
    const ScriptRun run = runText("@echo off\ntrue && echo no || echo failed & echo always\n");
    EXPECT_EQ(run.out, "failed \nalways\n");
}

TEST_F(RunnerTest, PromptKeepsTheValueOnAnEmptyAnswerAndEndsAtEndOfInput)
{
    const ScriptRun run = runText("@echo off\nset X=nil\nset /P X=Pick: \necho [%x%]\nset /P X=Pick: \necho [%X%]\n"
                                  "set /P X=Pick: \necho never\n",
        {"", "2"});
    EXPECT_EQ(run.out, "Pick: [nil]\nPick: [2]\nPick: \n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("end of input"));
}

TEST_F(RunnerTest, SetForms)
{
    const ScriptRun run =
        runText("@echo off\nset \"Q=a & b\" ignored\nset E=x\nset E=\nset Q\nif defined E echo bad\n");
    EXPECT_EQ(run.out, "Q=a & b\n");
}

TEST_F(RunnerTest, ExitEndsWithTheGivenOrTheCurrentLevel)
{
    EXPECT_EQ(runText("exit /b 7\necho no\n").exitCode, 7);
    host_.fakeExitCode = 4;
    EXPECT_EQ(runText("@echo off\ntrue\nexit\n").exitCode, 4);
}

TEST_F(RunnerTest, UnknownCommandsReportAndTheScriptGoesOn)
{
    const ScriptRun run = runText("@echo off\nno-such-tool x\necho %ERRORLEVEL%\nfor %%i in (a) do echo %%i\n"
                                  "echo a > file\necho %ERRORLEVEL%\n");
    EXPECT_EQ(run.out, "9009\n9009\n");
    EXPECT_THAT(run.err, HasSubstr("'no-such-tool' is not recognized"));
    EXPECT_THAT(run.err, HasSubstr("'for' is not supported"));
    EXPECT_THAT(run.err, HasSubstr("redirection"));
    EXPECT_FALSE(scratch_.has("file"));
}

// A tool that cannot be started fails its line as an unknown command does, so that `if ERRORLEVEL 1` sees
// it; it is never handed to the desktop's opener without its arguments.
TEST_F(RunnerTest, AProgramThatCannotStartFailsAndIsNeverOpened)
{
    scratch_.write("tools/no-execute", "#!/bin/sh\n");
    scratch_.write("tools/folder/inside", "");
    for (const char* tool : {"tools/no-execute", "tools/folder", "tools/missing"}) {
        host_ = {};
        const ScriptRun run = runText(
            "@echo off\n\"" + scratch_.path() + "/" + tool + "\" box.map\nif ERRORLEVEL 1 echo failed %ERRORLEVEL%\n");
        EXPECT_EQ(run.out, "failed 9009\n") << tool;
        EXPECT_THAT(run.err, HasSubstr("is not recognized as a command, program or batch file.")) << tool;
        EXPECT_TRUE(host_.opened.empty()) << tool;
        EXPECT_TRUE(host_.runs.empty()) << tool;
    }
}

TEST_F(RunnerTest, ProgramGetsSplitArgumentsTheFolderAndTheVariables)
{
    const std::string tool = scratch_.write("tools/my tool", "#!/bin/sh\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    scratch_.write("work/readme", "");
    runText("@echo off\nset MAPFILE=\"/maps/a b.map\"\ncd \"work\"\n\"../tools/my tool\" %MAPFILE% -x \"q\\\"r\"\n");
    ASSERT_EQ(host_.runs.size(), 1u);
    EXPECT_EQ(host_.runs[0].file, scratch_.path() + "/tools/my tool");
    EXPECT_THAT(host_.runs[0].arguments, ElementsAre("../tools/my tool", "/maps/a b.map", "-x", "q\"r"));
    EXPECT_EQ(host_.runs[0].folder, scratch_.path() + "/work");
    EXPECT_THAT(host_.runs[0].environment, ::testing::Contains("MAPFILE=\"/maps/a b.map\""));
}

TEST_F(RunnerTest, WindowsProgramsGoThroughWineOrAreExplained)
{
    scratch_.write("hlcsg.exe", "MZ\x90");
    session_.environment.set("PATH", scratch_.path() + "/no-wine-here");
    const ScriptRun without = runText("@echo off\nhlcsg.exe box.map\necho %ERRORLEVEL%\n");
    EXPECT_THAT(without.err, HasSubstr("install Wine"));
    EXPECT_EQ(without.out, "9009\n");

    const std::string wine = scratch_.write("bin/wine", "");
    std::filesystem::permissions(wine, std::filesystem::perms::owner_all);
    session_.environment.set("PATH", scratch_.path() + "/bin");
    runText("hlcsg.exe box.map\n");
    ASSERT_EQ(host_.runs.size(), 1u);
    EXPECT_EQ(host_.runs[0].file, wine);
    EXPECT_THAT(host_.runs[0].arguments, ElementsAre("wine", scratch_.path() + "/hlcsg.exe", "box.map"));
}

TEST_F(RunnerTest, StartTakesAQuotedFirstWordAsTitleAndDoesNotWait)
{
    scratch_.write("box.log", "log");
    const std::string viewer = scratch_.write("viewer", "");
    std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
    const std::string log = scratch_.path() + "/box.log";
    using Words = std::vector<std::string>;
    struct Case {
        std::string line;
        Words opened;
        Words started; // arguments of a program started without waiting
        Words run; // arguments of a program waited for
        std::string error;
    };
    const Case cases[] = {
        {R"(start "" %LOGVIEW% "box.log")", {log}, {}, {}, ""},
        {R"(start %LOGVIEW% "box.log")", {log}, {}, {}, ""}, // "Notepad" is the title, the log the program
        {R"(start "Map log" box.log)", {log}, {}, {}, ""},
        {R"(start viewer "box.log")", {}, {"viewer", "box.log"}, {}, ""},
        {R"(start "" viewer box.log)", {}, {"viewer", "box.log"}, {}, ""},
        {R"(start /min "" "viewer" box.log)", {}, {"viewer", "box.log"}, {}, ""},
        {R"(start /WAIT "" viewer box.log)", {}, {}, {"viewer", "box.log"}, ""},
        {R"(start "box.log")", {}, {}, {}, "without a program"},
        {R"(start "" )", {}, {}, {}, "without a program"},
    };
    session_.environment.set("LOGVIEW", "\"Notepad\"");
    for (const Case& c : cases) {
        host_ = {};
        const ScriptRun run = runText("@echo off\n" + c.line + "\n");
        EXPECT_EQ(host_.opened, c.opened) << c.line;
        EXPECT_EQ(host_.starts.empty() ? Words() : host_.starts.front().arguments, c.started) << c.line;
        EXPECT_EQ(host_.runs.empty() ? Words() : host_.runs.front().arguments, c.run) << c.line;
        EXPECT_EQ(host_.starts.size() + host_.runs.size(), c.started.empty() && c.run.empty() ? 0u : 1u) << c.line;
        if (c.error.empty())
            EXPECT_EQ(run.err, "") << c.line;
        else
            EXPECT_THAT(run.err, HasSubstr(c.error)) << c.line;
    }
}

// Outside Windows a program's absolute path starts with a slash, as the interpreter's switches do.
TEST_F(RunnerTest, StartTakesAnAbsolutePathForTheProgramNotForASwitch)
{
    // Unquoted, so in a folder without blanks.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("ferrowind-start-" + std::to_string(base::currentProcessId()));
    std::filesystem::create_directories(folder);
    const std::string viewer = (folder / "viewer").string();
    std::ofstream(viewer) << "#!/bin/sh\n";
    std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
    for (const std::string& line : {"start " + viewer + " box.log", "start /MIN " + viewer + " /wait box.log"}) {
        host_ = {};
        const ScriptRun run = runText("@echo off\n" + line + "\n");
        EXPECT_EQ(run.err, "") << line;
        ASSERT_EQ(host_.starts.size(), 1u) << line;
        EXPECT_EQ(host_.starts[0].file, viewer);
        EXPECT_EQ(host_.starts[0].arguments.back(), "box.log");
    }
    std::filesystem::remove_all(folder);
}

TEST_F(RunnerTest, CopyOntoAFolderOrAFileAndDelete)
{
    scratch_.write("maps/box.bsp", "bsp");
    scratch_.write("out/keep", "");
    const ScriptRun run = runText("@echo off\ncd maps\ncopy \"box.bsp\" \"../out\"\ncopy box.bsp ../out/renamed.bsp\n"
                                  "del box.bsp\ndel box.bsp\ncopy box.bsp ../out\necho %ERRORLEVEL%\n");
    EXPECT_TRUE(scratch_.has("out/box.bsp"));
    EXPECT_TRUE(scratch_.has("out/renamed.bsp"));
    EXPECT_FALSE(scratch_.has("maps/box.bsp"));
    EXPECT_THAT(run.err, HasSubstr("Could Not Find"));
    EXPECT_EQ(occurrences(run.out, "1 file(s) copied."), 2u);
    EXPECT_THAT(run.out, HasSubstr("0 file(s) copied.\n1\n"));
}

TEST_F(RunnerTest, ShutdownGoesThroughTheHost)
{
    runText("shutdown /s /f\nshutdown /r\n");
    EXPECT_EQ(host_.powerOffs, 1);
}

TEST_F(RunnerTest, ConsoleEscapesOnlyOnATerminal)
{
    const std::string script = "@echo off\ncolor 1E\ntitle Map: [box]\ncls\ncolor 77\necho %ERRORLEVEL%\n";
    EXPECT_EQ(runText(script).out, "1\n");
    const ScriptRun terminal = runText(script, {}, true);
    EXPECT_EQ(terminal.out, colorEscape({1, 14}) + titleEscape("Map: [box]") + clearScreenEscape() + "1\n");
}

TEST(ConsoleEscapes, ConsoleColoursMapToTheirAnsiCounterparts)
{
    EXPECT_EQ(colorEscape({0, 7}), "\x1b[37;40m");
    EXPECT_EQ(colorEscape({1, 14}), "\x1b[93;44m");
    EXPECT_EQ(colorEscape({12, 10}), "\x1b[92;101m");
    EXPECT_FALSE(parseColorArgument("AA"));
    EXPECT_FALSE(parseColorArgument("0G"));
}

// Where a title may go between two pieces of a program's output.
TEST(ConsoleEscapes, OutputThatStopsInsideAnEscapeSequenceIsTold)
{
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"12 / 40"}, false},
        {{"\x1b"}, true},
        {{"\x1b[3"}, true},
        {{"\x1b[3", "1mred"}, false},
        {{"\x1b]0;title"}, true},
        {{"\x1b]0;title\a"}, false},
        {{"\x1b]0;title\x1b", "\\"}, false},
        {{"\x1b]0;a\x1b", "b"}, true},
        {{"\x1b(B 5%"}, false},
    };
    for (const auto& [pieces, inside] : cases) {
        EscapeSequenceState state;
        for (const std::string& piece : pieces)
            state.feed(piece);
        EXPECT_EQ(state.inside(), inside) << testing::PrintToString(pieces);
    }
}
