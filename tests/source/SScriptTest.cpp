#include "source/SScript.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using ::testing::ElementsAreArray;

const ScriptOrigin kOrigin{"30.03.2013", "12:34:56", "ferrowind@mailbox.org"};

// The page's initial state (three stages and the game) with ordinary configured paths.
TSConfig PageDefaults()
{
    TSConfig c;
    c.BspTool = "/hl2/bin/bsp";
    c.VisTool = "/hl2/bin/vis";
    c.RadTool = "/hl2/bin/rad";
    c.GameExe = "/hl2/game";
    c.BspOutDir = "/hl2/game/maps";
    c.BinDir = "/hl2/bin";
    c.VmfFile = "/maps/box.vmf";
    c.RunBsp = c.RunVis = c.RunRad = c.RunGame = true;
    c.ConsoleColor = "07";
    c.Version = "1.2";
    c.LogViewer = "Notepad";
    c.ProgramPath = "/opt/ferrowind/ferrowind";
    return c;
}

const std::vector<std::string> kDefaultScript{
    "@echo off",
    "color 07",
    "",
    "::Section - Begin",
    ":BEGINCOMPILATION",
    "cls",
    "::Variables",
    "set BSPODIR=\"/hl2/game/maps\"",
    "set MAPPATH=/maps/box",
    "set MAPNAME=box",
    "set LOGVIEW=\"Notepad\"",
    "::Information",
    "title Map: [%MAPNAME%] Stage: [0/3]",
    "echo Ferrowind v1.2 (ferrowind@mailbox.org)",
    "echo ---------------------------------------",
    "echo Vmf file: /maps/box.vmf",
    "echo BSP out folder: /hl2/game/maps",
    "echo Bin folder: /hl2/bin",
    "echo BSP(+) ",
    "echo VIS(+) ",
    "echo RAD(+) ",
    "echo Game(+) ",
    "echo File created: 30.03.2013 at: 12:34:56",
    "echo ---------------------------------------",
    "echo.",
    "cd /d \"/hl2/bin\"",
    "::Run bsp",
    "title Map: [%MAPNAME%] Stage: [1/3] - BSP",
    "\"/hl2/bin/bsp\" \"%MAPPATH%\" ",
    "if ERRORLEVEL 1 goto ERRORCOMPILATION",
    "::Run vis",
    "title Map: [%MAPNAME%] Stage: [2/3] - VIS",
    "\"/hl2/bin/vis\" \"%MAPPATH%\" ",
    "if ERRORLEVEL 1 goto ERRORCOMPILATION",
    "::Run rad",
    "title Map: [%MAPNAME%] Stage: [3/3] - RAD",
    "\"/hl2/bin/rad\" \"%MAPPATH%\" ",
    "if ERRORLEVEL 1 goto ERRORCOMPILATION",
    "::After compilation",
    "if exist \"%MAPPATH%.bsp\" copy \"%MAPPATH%.bsp\" %BSPODIR%",
    "\"/hl2/game\" ",
    "goto ENDCOMPILATION",
    "",
    "::Section - Error",
    ":ERRORCOMPILATION",
    "echo ---------------------------------------",
    "echo   ERROR ERROR ERROR ERROR ERROR ERROR",
    "echo ---------------------------------------",
    "echo 1. Open .log file",
    "echo 2. Restart",
    "echo 3. Exit",
    "goto SELECTITEM",
    "",
    "::Section - Select",
    ":SELECTITEM",
    "Set SELRESULT=nil",
    "echo Select item:",
    "Set /P SELRESULT=",
    "if %SELRESULT%==1 if exist \"%MAPPATH%.log\" %LOGVIEW% \"%MAPPATH%.log\"",
    "if %SELRESULT%==2 goto BEGINCOMPILATION",
    "if %SELRESULT%==3 exit",
    "goto SELECTITEM",
    "",
    "::Section - End",
    ":ENDCOMPILATION",
    "exit",
};

// Where the error section starts in the default script; everything from its banner on is fixed.
const size_t kDefaultErrorBanner = 45;

size_t IndexOf(const ScriptLines& lines, const std::string& line)
{
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TEST(SScriptTest, DefaultPageScript)
{
    ASSERT_EQ(kDefaultScript.size(), 66u);
    ASSERT_EQ(kDefaultScript[kDefaultErrorBanner], "echo ---------------------------------------");
    EXPECT_THAT(S_MakeBat(PageDefaults(), kOrigin), ElementsAreArray(kDefaultScript));
}

TEST(SScriptTest, EveryFlagScript)
{
    TSConfig c = PageDefaults();
    c.BspParams = "-onlyents";
    c.VisParams = "-fast";
    c.RadParams = "-bounce 4 -final";
    c.GameParams = "+map %MAPNAME% -dev";
    c.LogViewer = "/usr/bin/viewer";
    for (bool* flag : {&c.DeleteLog, &c.NotCopyBsp, &c.OpenLog, &c.Pause, &c.Beep, &c.Shutdown})
        *flag = true;
    const ScriptLines lines = S_MakeBat(c, kOrigin);

    EXPECT_EQ(lines[10], "set LOGVIEW=\"/usr/bin/viewer\"");
    EXPECT_THAT(std::vector<std::string>(lines.begin() + 18, lines.begin() + 22),
                ElementsAreArray({"echo BSP(+) -onlyents", "echo VIS(+) -fast", "echo RAD(+) -bounce 4 -final", "echo Game(+) +map %MAPNAME% -dev"}));
    EXPECT_EQ(lines[28], "\"/hl2/bin/bsp\" \"%MAPPATH%\" -onlyents");
    EXPECT_EQ(lines[32], "\"/hl2/bin/vis\" \"%MAPPATH%\" -fast");
    EXPECT_EQ(lines[36], "\"/hl2/bin/rad\" \"%MAPPATH%\" -bounce 4 -final");

    std::vector<std::string> tail{
        "::After compilation",
        "if exist \"%MAPPATH%.log\" start %LOGVIEW% \"%MAPPATH%.log\"",
        "if exist \"%MAPPATH%.log\" del \"%MAPPATH%.log\"",
        "\"/opt/ferrowind/ferrowind\" +beep",
        "shutdown /s /f",
        "exit",
        "\"/hl2/game\" +map %MAPNAME% -dev",
        "title Map: [%MAPNAME%] - Compilation finished",
        "echo ---------------------------------------",
        "echo   Compilation finished",
        "echo ---------------------------------------",
        "::Section - Pause",
        ":PAUSEITEM",
        "Set ENTERRESULT=0",
        "echo Enter \"1\" for exit...",
        "Set /P ENTERRESULT=",
        "if %ENTERRESULT%==1 exit",
        "goto PAUSEITEM",
        "",
        "::Section - Error",
        ":ERRORCOMPILATION",
        "shutdown /s /f",
        "exit",
    };
    tail.insert(tail.end(), kDefaultScript.begin() + kDefaultErrorBanner, kDefaultScript.end());
    ASSERT_EQ(lines.size(), 38u + tail.size());
    EXPECT_THAT(std::vector<std::string>(lines.begin() + 38, lines.end()), ElementsAreArray(tail));
}

// Each variant differs from the default script only in the lines named.
struct Variant {
    const char* name;
    void (*change)(TSConfig&);
    std::vector<std::pair<size_t, std::string>> lines; // index and text in the variant's script
    long lengthChange;
    bool sameAfterCompilation = true;
};

class SScriptVariantTest : public ::testing::TestWithParam<Variant> {};

TEST_P(SScriptVariantTest, DiffersOnlyWhereExpected)
{
    TSConfig c = PageDefaults();
    GetParam().change(c);
    const ScriptLines lines = S_MakeBat(c, kOrigin);
    ASSERT_EQ(static_cast<long>(lines.size()), static_cast<long>(kDefaultScript.size()) + GetParam().lengthChange);
    for (const auto& [index, text] : GetParam().lines)
        EXPECT_EQ(lines.at(index), text) << "line " << index;
    const size_t after = IndexOf(lines, "::After compilation");
    ASSERT_LT(after, lines.size());
    if (GetParam().sameAfterCompilation) {
        EXPECT_THAT(std::vector<std::string>(lines.begin() + static_cast<long>(after), lines.end()),
                    ElementsAreArray(kDefaultScript.begin() + 38, kDefaultScript.end()));
    }
}

const Variant kVariants[] = {
    {"NoStage",
     [](TSConfig& c) { c.RunBsp = c.RunVis = c.RunRad = false; },
     {{12, "title Map: [%MAPNAME%] Stage: [0/0]"}, {18, "echo BSP(-) "}, {19, "echo VIS(-) "}, {20, "echo RAD(-) "}, {25, "cd /d \"/hl2/bin\""},
      {26, "::After compilation"}},
     -12},
    {"OnlyVisAndRadStage",
     [](TSConfig& c) {
         c.RunBsp = false;
         c.BspParams = "-onlyents";
     },
     {{12, "title Map: [%MAPNAME%] Stage: [0/2]"},
      {18, "echo BSP(-) -onlyents"},
      {26, "::Run vis"},
      {27, "title Map: [%MAPNAME%] Stage: [1/2] - VIS"},
      {31, "title Map: [%MAPNAME%] Stage: [2/2] - RAD"},
      {34, "::After compilation"}},
     -4},
    {"WithoutGame",
     [](TSConfig& c) { c.RunGame = false; },
     {{21, "echo Game(-) "}, {39, "if exist \"%MAPPATH%.bsp\" copy \"%MAPPATH%.bsp\" %BSPODIR%"}, {40, "goto ENDCOMPILATION"}, {41, ""}, {42, "::Section - Error"}},
     -1,
     false},
    {"VmfPathWithBlanks",
     [](TSConfig& c) { c.VmfFile = "/my maps/box 1.vmf"; },
     {{8, "set MAPPATH=/my maps/box 1"}, {9, "set MAPNAME=box 1"}, {15, "echo Vmf file: /my maps/box 1.vmf"}, {28, "\"/hl2/bin/bsp\" \"%MAPPATH%\" "}},
     0},
    {"FilesystemRootVmf", [](TSConfig& c) { c.VmfFile = "/box.vmf"; }, {{8, "set MAPPATH=/box"}, {9, "set MAPNAME=box"}}, 0},
    {"DoubledAndUpperCaseExtension", [](TSConfig& c) { c.VmfFile = "/maps/a.VMFb.vmf"; }, {{8, "set MAPPATH=/maps/ab"}, {9, "set MAPNAME=ab"}}, 0},
    {"ColourAndLogViewer",
     [](TSConfig& c) {
         c.ConsoleColor = "0A";
         c.LogViewer = "/usr/bin/log viewer";
     },
     {{1, "color 0A"}, {10, "set LOGVIEW=\"/usr/bin/log viewer\""}},
     0},
    // Configured paths and the map are escaped for where they stand; parameter fields are the user's own text.
    {"EscapedPathsRawParameters",
     [](TSConfig& c) {
         c.VmfFile = "/R&D 50%/<x>^y/box.vmf";
         c.BinDir = "/bin 5%&co";
         c.BspOutDir = "/out|x>y";
         c.BspTool = "/t 5%/bsp&";
         c.BspParams = "-x %MAPNAME% & echo";
     },
     {{7, "set BSPODIR=\"/out|x>y\""},
      {8, "set MAPPATH=/R^&D 50%%/^<x^>^^y/box"},
      {15, "echo Vmf file: /R^&D 50%%/^<x^>^^y/box.vmf"},
      {16, "echo BSP out folder: /out^|x^>y"},
      {17, "echo Bin folder: /bin 5%%^&co"},
      {18, "echo BSP(+) -x %MAPNAME% & echo"},
      {25, "cd /d \"/bin 5%%&co\""},
      {28, "\"/t 5%%/bsp&\" \"%MAPPATH%\" -x %MAPNAME% & echo"}},
     0},
};

INSTANTIATE_TEST_SUITE_P(Cases, SScriptVariantTest, ::testing::ValuesIn(kVariants), [](const auto& info) { return std::string(info.param.name); });

TEST(SScriptTest, ShutdownWithoutPauseStillWritesTheErrorMenu)
{
    TSConfig c = PageDefaults();
    c.Shutdown = true;
    const ScriptLines lines = S_MakeBat(c, kOrigin);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "shutdown /s /f"), 2);
    const size_t error = IndexOf(lines, ":ERRORCOMPILATION");
    EXPECT_THAT(std::vector<std::string>(lines.begin() + static_cast<long>(error) + 1, lines.begin() + static_cast<long>(error) + 4),
                ElementsAreArray({"shutdown /s /f", "exit", "echo ---------------------------------------"}));
    EXPECT_EQ(lines[IndexOf(lines, "\"/hl2/game\" ") + 1], "goto ENDCOMPILATION");
}

TEST(SScriptTest, SameRecordGivesTheSameScript) { EXPECT_EQ(S_MakeBat(PageDefaults(), kOrigin), S_MakeBat(PageDefaults(), kOrigin)); }

} // namespace
