// ferrowind-cmd following the compile tools a script runs: their output passed on as it comes, a report before
// the script's error menu or end, the script's own behaviour unchanged. The tools are shell scripts under the
// names of compile tools.
#include "Harness.h"

#include "base/Process.h"
#include "support/BoundedRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using namespace batchrun;

using ::testing::HasSubstr;
using ::testing::Not;

namespace fs = std::filesystem;

namespace {

// A map folder whose name holds what the interpreter treats specially and bytes beyond ASCII.
const std::string kMapFolder = "R&D 50% \xc3\xbcn\xc3\xaf";

} // namespace

class CompileConsoleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch_.write(kMapFolder + "/box.map", "map");
        fs::create_directories(scratch_.path() + "/out");
    }

    // A tool of that name: a shell script with these commands.
    void tool(const std::string& name, const std::string& commands) const
    {
        const std::string path = scratch_.write("tools/" + name, "#!/bin/sh\n" + commands + "\n");
        fs::permissions(path, fs::perms::owner_all);
    }

    // A script shaped like the generated ones: stages, the copy, the error menu with restart, the end.
    std::string script(const std::string& first, const std::string& second) const
    {
        const std::string root = scratch_.path();
        std::string folder;
        for (const char c : kMapFolder)
            folder += c == '%' ? "%%" : std::string(1, c);
        return "@echo off\r\n"
               ":BEGINCOMPILATION\r\n"
               "set MAPFILE=\"" +
            root + "/" + folder +
            "/box.map\"\r\n"
            "set MAPPATH=" +
            root + "/" + std::string(folder).replace(folder.find('&'), 1, "^&") +
            "/box\r\n"
            "::Run first\r\n"
            "title Map: [box] Stage: [1/2] - " +
            first +
            "\r\n"
            "\"" +
            root + "/tools/" + first +
            "\" %MAPFILE%\r\n"
            "if ERRORLEVEL 1 goto ERRORCOMPILATION\r\n"
            "::Run second\r\n"
            "title Map: [box] Stage: [2/2] - " +
            second +
            "\r\n"
            "\"" +
            root + "/tools/" + second +
            "\" %MAPFILE%\r\n"
            "if ERRORLEVEL 1 goto ERRORCOMPILATION\r\n"
            "::After compilation\r\n"
            "if exist \"%MAPPATH%.bsp\" copy \"%MAPPATH%.bsp\" \"" +
            root +
            "/out\"\r\n"
            "goto ENDCOMPILATION\r\n"
            "\r\n"
            "::Section - Error\r\n"
            ":ERRORCOMPILATION\r\n"
            "echo   ERROR ERROR ERROR ERROR ERROR ERROR\r\n"
            ":SELECTITEM\r\n"
            "set SELRESULT=nil\r\n"
            "echo Select item:\r\n"
            "set /P SELRESULT=\r\n"
            "if %SELRESULT%==3 goto BEGINCOMPILATION\r\n"
            "if %SELRESULT%==4 exit\r\n"
            "goto SELECTITEM\r\n"
            "\r\n"
            "::Section - End\r\n"
            ":ENDCOMPILATION\r\n"
            "exit\r\n";
    }

    ScriptRun run(const std::string& first, const std::string& second, const std::string& answers)
    {
        scratch_.write("compile.bat", script(first, second));
        scratch_.write("answers.txt", answers);
        return runFerrowindCmd(scratch_, scratch_.path() + "/compile.bat", scratch_.path() + "/answers.txt");
    }

    // As in a terminal: ferrowind-cmd's output on a pseudo-terminal; the titles it set, in order.
    std::vector<std::string> titlesInTerminal(const std::string& first, const std::string& second)
    {
        scratch_.write("compile.bat", script(first, second));
        const std::string command = "cd '" + scratch_.path() + "' && exec '" FERROWIND_CMD "' compile.bat < /dev/null";
        base::ProgramStart start{"/bin/sh", {"sh", "-c", command}, {}, {}, {}};
        std::string console;
        start.output = [&console](std::string_view chunk) { console += chunk; };
        EXPECT_EQ(testsupport::runBounded(start, testsupport::kStubLimit).failure, "");
        static const std::regex title("\x1b\\]0;([^\a]*)\a");
        std::vector<std::string> titles;
        for (auto match = std::sregex_iterator(console.begin(), console.end(), title); match != std::sregex_iterator();
             ++match)
            titles.push_back((*match)[1]);
        return titles;
    }

    std::string mapPath(const std::string& extension) const
    {
        return scratch_.path() + "/" + kMapFolder + "/box" + extension;
    }

    ScratchFolder scratch_;
};

// A tool that writes megabytes without a line end reaches the console whole; the leak the next one reports
// is told before the menu, with the point file by the map's own name, and again after a restart.
TEST_F(CompileConsoleTest, TheReportComesBeforeTheErrorMenuEachTime)
{
    tool("hlcsg", "head -c 3000000 /dev/zero | tr '\\0' x");
    tool("hlbsp", "echo 'Warning: === LEAK in hull 0 ==='\necho 'Entity light @ (0 0 200)'\nexit 1");
    const ScriptRun result = run("hlcsg", "hlbsp", "3\n4\n");
    const std::string& out = result.out;
    EXPECT_EQ(result.err, "");
    const size_t flood = out.find(std::string(3000000, 'x'));
    ASSERT_NE(flood, std::string::npos);
    EXPECT_NE(out[flood + 3000000], 'x') << "no byte more";
    const size_t report = out.find("Compile report for " + mapPath(".map"));
    const size_t menu = out.find("ERROR ERROR ERROR");
    ASSERT_NE(report, std::string::npos) << out.substr(flood + 3000000);
    EXPECT_LT(flood, report);
    EXPECT_LT(report, menu);
    const std::string told = out.substr(report, menu - report);
    EXPECT_THAT(told, HasSubstr("the map leaks: light at (0 0 200) sees the void"));
    EXPECT_THAT(told, HasSubstr(mapPath(".pts")));
    EXPECT_EQ(occurrences(out, "Compile report for "), 2u);
    EXPECT_EQ(occurrences(out, "Select item:"), 2u);
    EXPECT_LT(out.rfind("Compile report for "), out.rfind("ERROR ERROR ERROR"));
    EXPECT_GT(out.rfind("Compile report for "), out.find("Select item:"));
}

// The tool reads a line of the input; the rest is still there for the menu.
TEST_F(CompileConsoleTest, AToolThatReadsTheInputLeavesTheMenuItsAnswers)
{
    tool("hlcsg", "read line\necho \"csg read: $line\"\nexit 1");
    tool("hlbsp", "exit 0");
    const ScriptRun result = run("hlcsg", "hlbsp", "for the tool\n4\n");
    EXPECT_THAT(result.out, HasSubstr("csg read: for the tool\n"));
    EXPECT_THAT(result.out, HasSubstr("CSG"));
    EXPECT_EQ(result.err, "") << "the menu got its answer, not the end of the input";
}

// A finished compile tells where the .bsp went; a script that runs no compile tool gets no word more.
TEST_F(CompileConsoleTest, OnlyScriptsThatRunCompileToolsGetAReport)
{
    tool("hlcsg", "echo csg");
    tool("hlbsp", "echo bsp\necho bsp > \"$(dirname \"$1\")/box.bsp\"");
    const ScriptRun compiled = run("hlcsg", "hlbsp", "");
    EXPECT_EQ(compiled.exitCode, 0) << compiled.err;
    EXPECT_THAT(compiled.out, HasSubstr("The .bsp was copied to " + scratch_.path() + "/out/box.bsp"));

    tool("helper", "echo helper");
    tool("other", "echo other\nexit 1");
    const ScriptRun plain = run("helper", "other", "4\n");
    EXPECT_EQ(plain.out, "helper\nother\n  ERROR ERROR ERROR ERROR ERROR ERROR\nSelect item:\n");
    EXPECT_EQ(plain.err, "");
}

// The stage's percentage follows the script's own title as the tool counts; once the map has been compiled, the
// time left too. The script's title comes back when the tool ends.
TEST_F(CompileConsoleTest, TheTitleShowsTheStagesPercentageAndTheTimeLeft)
{
    tool("hlcsg", "for step in 1 2 3 4; do echo \"  $step / 4\"; sleep 0.2; done");
    tool("hlbsp", "exit 0");
    const std::string csg = "Map: [box] Stage: [1/2] - hlcsg";
    const std::vector<std::string> first = titlesInTerminal("hlcsg", "hlbsp");
    // Pieces of output that arrive together count once: of the four steps, at least one before the last shows.
    const auto last = std::find(first.begin(), first.end(), csg + " - 100%");
    ASSERT_NE(last, first.end()) << testing::PrintToString(first);
    EXPECT_TRUE(std::any_of(first.begin(), last, [&](const std::string& title) {
        return title == csg + " - 25%" || title == csg + " - 50%" || title == csg + " - 75%";
    })) << testing::PrintToString(first);
    EXPECT_EQ(*std::next(last), csg);
    EXPECT_TRUE(scratch_.has("StageTimes.txt"));

    const std::vector<std::string> second = titlesInTerminal("hlcsg", "hlbsp");
    EXPECT_TRUE(std::any_of(second.begin(), second.end(), [&](const std::string& title) {
        return title.rfind(csg + " - ", 0) == 0 && title.find("%, ") != std::string::npos && title.ends_with(" left");
    })) << testing::PrintToString(second);
}
