#include "goldsource/GsScript.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using ::testing::ElementsAreArray;

const ScriptOrigin kOrigin{"30.03.2013", "12:34:56", "ferrowind@mailbox.org"};

// The page's initial state with ordinary configured paths.
TGSConfig PageDefaults()
{
    TGSConfig c;
    c.CsgTool = "/hl/tools/hlcsg";
    c.BspTool = "/hl/tools/hlbsp";
    c.VisTool = "/hl/tools/hlvis";
    c.RadTool = "/hl/tools/hlrad";
    c.GameExe = "/hl/hl.exe";
    c.WadRoot = "/hl/wads";
    c.BspOutDir = "/hl/valve/maps";
    c.MapFile = "/maps/box.map";
    c.ConsoleColor = "07";
    c.Version = "1.2";
    c.LogViewer = "Notepad";
    c.ProgramPath = "/opt/ferrowind/ferrowind";
    return c;
}

size_t IndexOf(const ScriptLines& lines, const std::string& line)
{
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TEST(GsScriptTest, DefaultPageScript)
{
    const std::vector<std::string> expected{
        "@echo off",
        "color 07",
        "",
        "::Section - Begin",
        ":BEGINCOMPILATION",
        "cls",
        "::Variables",
        "set WADROOT=\"/hl/wads\"",
        "set BSPODIR=\"/hl/valve/maps\"",
        "set MAPFILE=\"/maps/box.map\"",
        "set MAPPATH=/maps/box",
        "set MAPNAME=box",
        "set LOGVIEW=\"Notepad\"",
        "::Information",
        "title Map: [%MAPNAME%] Stage: [0/4]",
        "echo Ferrowind v1.2 (ferrowind@mailbox.org)",
        "echo ---------------------------------------",
        "echo Map file: /maps/box.map",
        "echo Wad root: /hl/wads",
        "echo BSP folder: /hl/valve/maps",
        "echo CSG(+) ",
        "echo BSP(+) ",
        "echo VIS(+) ",
        "echo RAD(+) ",
        "echo Game(+) ",
        "echo File created: 30.03.2013 at: 12:34:56",
        "echo ---------------------------------------",
        "echo.",
        "::Run csg",
        "title Map: [%MAPNAME%] Stage: [1/4] - CSG",
        "\"/hl/tools/hlcsg\" %MAPFILE% ",
        "if ERRORLEVEL 1 goto ERRORCOMPILATION",
        "::Run bsp",
        "title Map: [%MAPNAME%] Stage: [2/4] - BSP",
        "\"/hl/tools/hlbsp\" %MAPFILE% ",
        "if ERRORLEVEL 1 goto ERRORCOMPILATION",
        "::Run vis",
        "title Map: [%MAPNAME%] Stage: [3/4] - VIS",
        "\"/hl/tools/hlvis\" %MAPFILE% ",
        "if ERRORLEVEL 1 goto ERRORCOMPILATION",
        "::Run rad",
        "title Map: [%MAPNAME%] Stage: [4/4] - RAD",
        "\"/hl/tools/hlrad\" %MAPFILE% ",
        "if ERRORLEVEL 1 goto ERRORCOMPILATION",
        "::After compilation",
        "if exist \"%MAPPATH%.bsp\" copy \"%MAPPATH%.bsp\" %BSPODIR%",
        "\"/hl/hl.exe\" ",
        "goto ENDCOMPILATION",
        "",
        "::Section - Error",
        ":ERRORCOMPILATION",
        "echo ---------------------------------------",
        "echo   ERROR ERROR ERROR ERROR ERROR ERROR",
        "echo ---------------------------------------",
        "echo 1. Open .log file",
        "echo 2. Open .err file",
        "echo 3. Restart",
        "echo 4. Exit",
        "goto SELECTITEM",
        "",
        "::Section - Select",
        ":SELECTITEM",
        "set SELRESULT=nil",
        "echo Select item:",
        "set /P SELRESULT=",
        "if %SELRESULT%==1 if exist \"%MAPPATH%.log\" %LOGVIEW% \"%MAPPATH%.log\"",
        "if %SELRESULT%==2 if exist \"%MAPPATH%.err\" %LOGVIEW% \"%MAPPATH%.err\"",
        "if %SELRESULT%==3 goto BEGINCOMPILATION",
        "if %SELRESULT%==4 exit",
        "goto SELECTITEM",
        "",
        "::Section - End",
        ":ENDCOMPILATION",
        "exit",
    };
    ASSERT_EQ(expected.size(), 74u);
    EXPECT_THAT(GS_MakeBat(PageDefaults(), kOrigin), ElementsAreArray(expected));
}

TEST(GsScriptTest, EveryFlagScript)
{
    TGSConfig c = PageDefaults();
    c.CsgParams = "-wadinclude mywad";
    c.BspParams = "-chart";
    c.VisParams = "-full";
    c.RadParams = "-extra -bounce 4";
    c.GameParams = "+map %MAPNAME% -dev";
    c.ConsoleColor = "1E";
    c.LogViewer = "/usr/bin/gedit";
    for (bool* flag : {&c.DeleteP0, &c.DeleteP1, &c.DeleteP2, &c.DeleteP3, &c.DeletePrt, &c.DeleteWic, &c.DeleteLin, &c.DeletePts, &c.DeleteLog,
                       &c.CopyPts, &c.NotCopyBsp, &c.OpenLog, &c.Pause, &c.Beep, &c.Shutdown})
        *flag = true;

    const std::vector<std::string> expected{
        "@echo off",
        "color 1E",
        "",
        "::Section - Begin",
        ":BEGINCOMPILATION",
        "cls",
        "::Variables",
        "set WADROOT=\"/hl/wads\"",
        "set BSPODIR=\"/hl/valve/maps\"",
        "set MAPFILE=\"/maps/box.map\"",
        "set MAPPATH=/maps/box",
        "set MAPNAME=box",
        "set LOGVIEW=\"/usr/bin/gedit\"",
        "::Information",
        "title Map: [%MAPNAME%] Stage: [0/4]",
        "echo Ferrowind v1.2 (ferrowind@mailbox.org)",
        "echo ---------------------------------------",
        "echo Map file: /maps/box.map",
        "echo Wad root: /hl/wads",
        "echo BSP folder: /hl/valve/maps",
        "echo CSG(+) -wadinclude mywad",
        "echo BSP(+) -chart",
        "echo VIS(+) -full",
        "echo RAD(+) -extra -bounce 4",
        "echo Game(+) +map %MAPNAME% -dev",
        "echo File created: 30.03.2013 at: 12:34:56",
        "echo ---------------------------------------",
        "echo.",
        "::Run csg",
        "title Map: [%MAPNAME%] Stage: [1/4] - CSG",
        "\"/hl/tools/hlcsg\" %MAPFILE% -wadinclude mywad",
        "if ERRORLEVEL 1 goto ERRORCOMPILATION",
        "::Run bsp",
        "title Map: [%MAPNAME%] Stage: [2/4] - BSP",
        "\"/hl/tools/hlbsp\" %MAPFILE% -chart",
        "if ERRORLEVEL 1 goto ERRORCOMPILATION",
        "::Run vis",
        "title Map: [%MAPNAME%] Stage: [3/4] - VIS",
        "\"/hl/tools/hlvis\" %MAPFILE% -full",
        "if ERRORLEVEL 1 goto ERRORCOMPILATION",
        "::Run rad",
        "title Map: [%MAPNAME%] Stage: [4/4] - RAD",
        "\"/hl/tools/hlrad\" %MAPFILE% -extra -bounce 4",
        "if ERRORLEVEL 1 goto ERRORCOMPILATION",
        "::After compilation",
        "if exist \"%MAPPATH%.pts\" copy \"%MAPPATH%.pts\" %BSPODIR%",
        "\"/opt/ferrowind/ferrowind\" +beep",
        "if exist \"%MAPPATH%.log\" start %LOGVIEW% \"%MAPPATH%.log\"",
        "if exist \"%MAPPATH%.log\" del \"%MAPPATH%.log\"",
        "if exist \"%MAPPATH%.p0\" del \"%MAPPATH%.p0\"",
        "if exist \"%MAPPATH%.p1\" del \"%MAPPATH%.p1\"",
        "if exist \"%MAPPATH%.p2\" del \"%MAPPATH%.p2\"",
        "if exist \"%MAPPATH%.p3\" del \"%MAPPATH%.p3\"",
        "if exist \"%MAPPATH%.prt\" del \"%MAPPATH%.prt\"",
        "if exist \"%MAPPATH%.wic\" del \"%MAPPATH%.wic\"",
        "if exist \"%MAPPATH%.lin\" del \"%MAPPATH%.lin\"",
        "if exist \"%MAPPATH%.pts\" del \"%MAPPATH%.pts\"",
        "shutdown /s /f",
        "exit",
        "\"/hl/hl.exe\" +map %MAPNAME% -dev",
        "title Map: [%MAPNAME%] - Compilation finished",
        "echo ---------------------------------------",
        "echo   Compilation finished",
        "echo ---------------------------------------",
        "::Section - Pause",
        ":PAUSEITEM",
        "set ENTERRESULT=nil",
        "echo Enter \"1\" for exit...",
        "set /P ENTERRESULT=",
        "if %ENTERRESULT%==1 exit",
        "goto PAUSEITEM",
        "",
        "::Section - Error",
        ":ERRORCOMPILATION",
        "shutdown /s /f",
        "exit",
        "echo ---------------------------------------",
        "echo   ERROR ERROR ERROR ERROR ERROR ERROR",
        "echo ---------------------------------------",
        "echo 1. Open .log file",
        "echo 2. Open .err file",
        "echo 3. Restart",
        "echo 4. Exit",
        "goto SELECTITEM",
        "",
        "::Section - Select",
        ":SELECTITEM",
        "set SELRESULT=nil",
        "echo Select item:",
        "set /P SELRESULT=",
        "if %SELRESULT%==1 if exist \"%MAPPATH%.log\" %LOGVIEW% \"%MAPPATH%.log\"",
        "if %SELRESULT%==2 if exist \"%MAPPATH%.err\" %LOGVIEW% \"%MAPPATH%.err\"",
        "if %SELRESULT%==3 goto BEGINCOMPILATION",
        "if %SELRESULT%==4 exit",
        "goto SELECTITEM",
        "",
        "::Section - End",
        ":ENDCOMPILATION",
        "exit",
    };
    ASSERT_EQ(expected.size(), 99u);
    EXPECT_THAT(GS_MakeBat(c, kOrigin), ElementsAreArray(expected));
}

TEST(GsScriptTest, OnlyVisAndRadAreNumberedOneAndTwoOfTwo)
{
    TGSConfig c = PageDefaults();
    c.RunCsg = false;
    c.RunBsp = false;
    c.CsgParams = "-nowadtextures";
    const ScriptLines lines = GS_MakeBat(c, kOrigin);
    EXPECT_EQ(lines[14], "title Map: [%MAPNAME%] Stage: [0/2]");
    EXPECT_EQ(lines[20], "echo CSG(-) -nowadtextures");
    EXPECT_EQ(lines[21], "echo BSP(-) ");
    EXPECT_EQ(lines[28], "::Run vis");
    EXPECT_EQ(lines[29], "title Map: [%MAPNAME%] Stage: [1/2] - VIS");
    EXPECT_EQ(lines[33], "title Map: [%MAPNAME%] Stage: [2/2] - RAD");
    EXPECT_EQ(lines[36], "::After compilation");
}

TEST(GsScriptTest, NoStageGoesStraightToAfterCompilation)
{
    TGSConfig c = PageDefaults();
    c.RunCsg = c.RunBsp = c.RunVis = c.RunRad = false;
    const ScriptLines lines = GS_MakeBat(c, kOrigin);
    EXPECT_EQ(lines[14], "title Map: [%MAPNAME%] Stage: [0/0]");
    EXPECT_EQ(lines[27], "echo.");
    EXPECT_EQ(lines[28], "::After compilation");
    EXPECT_EQ(lines.size(), 74u - 16u);
}

TEST(GsScriptTest, CopyPtsWithoutBspCopy)
{
    TGSConfig c = PageDefaults();
    c.CopyPts = true;
    c.NotCopyBsp = true;
    const ScriptLines lines = GS_MakeBat(c, kOrigin);
    const size_t after = IndexOf(lines, "::After compilation");
    EXPECT_EQ(lines[after + 1], "if exist \"%MAPPATH%.pts\" copy \"%MAPPATH%.pts\" %BSPODIR%");
    EXPECT_EQ(IndexOf(lines, "if exist \"%MAPPATH%.bsp\" copy \"%MAPPATH%.bsp\" %BSPODIR%"), lines.size());
}

TEST(GsScriptTest, PtsIsCopiedBeforeItIsDeleted)
{
    TGSConfig c = PageDefaults();
    c.CopyPts = true;
    c.DeletePts = true;
    const ScriptLines lines = GS_MakeBat(c, kOrigin);
    const size_t copy = IndexOf(lines, "if exist \"%MAPPATH%.pts\" copy \"%MAPPATH%.pts\" %BSPODIR%");
    const size_t del = IndexOf(lines, "if exist \"%MAPPATH%.pts\" del \"%MAPPATH%.pts\"");
    ASSERT_LT(del, lines.size());
    EXPECT_LT(copy, del);
}

TEST(GsScriptTest, ShutdownEndsBothPathsAndPrecedesTheGame)
{
    TGSConfig c = PageDefaults();
    c.Shutdown = true;
    const ScriptLines lines = GS_MakeBat(c, kOrigin);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "shutdown /s /f"), 2);
    const size_t first = IndexOf(lines, "shutdown /s /f");
    EXPECT_EQ(lines[first + 1], "exit");
    EXPECT_EQ(lines[first + 2], "\"/hl/hl.exe\" ");
    const size_t error = IndexOf(lines, ":ERRORCOMPILATION");
    EXPECT_EQ(lines[error + 1], "shutdown /s /f");
    EXPECT_EQ(lines[error + 2], "exit");
}

TEST(GsScriptTest, SameRecordGivesTheSameScript)
{
    EXPECT_EQ(GS_MakeBat(PageDefaults(), kOrigin), GS_MakeBat(PageDefaults(), kOrigin));
    EXPECT_EQ(GS_FlagSign(true), "+");
    EXPECT_EQ(GS_FlagSign(false), "-");
}

struct MapCase {
    const char* mapFile;
    const char* name;
    const char* pathBase;
};

class MapNameTest : public ::testing::TestWithParam<MapCase> {};

TEST_P(MapNameTest, NameAndPathBase)
{
    EXPECT_EQ(MapNameOf(GetParam().mapFile), GetParam().name);
    EXPECT_EQ(MapPathBaseOf(GetParam().mapFile), GetParam().pathBase);
}

#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(Linux, MapNameTest,
                         ::testing::Values(MapCase{"/maps/box.map", "box", "/maps/box"}, MapCase{"/maps/box.MAP", "box", "/maps/box"},
                                           MapCase{"/maps/box.mapper.map", "boxper", "/maps/boxper"},
                                           MapCase{"/maps/Box.Map.MAP", "Box", "/maps/Box"}, MapCase{"/maps/box", "box", "/maps/box"},
                                           MapCase{"/my.maps/box", "box", "/my.maps/box"}, MapCase{"box.map", "box", "/box"},
                                           MapCase{" /maps/box.map", "box", "/maps/box"},
                                           // A backslash is part of a Linux file name, so Windows-style text is one name.
                                           MapCase{"C:\\maps\\box.map", "C:\\maps\\box", "/C:\\maps\\box"}));
#endif

// Configured paths and the map field are escaped for where they stand; parameter fields are the user's own text.
TEST(GsScriptEscapingTest, PathsAreEscapedParametersAreNot)
{
    TGSConfig c = PageDefaults();
    c.MapFile = "/tmp/R&D 50%/box.map";
    c.WadRoot = "/w&d 100%";
    c.BspOutDir = "/out|x>y";
    c.CsgTool = "/t 5%/hl&csg";
    c.GameExe = "/g%/hl";
    c.LogViewer = "/v%/<view>";
    c.ProgramPath = "/p 1%/ferrowind";
    c.Beep = true;
    c.CsgParams = "-x %MAPNAME% & echo";
    c.GameParams = "+map %MAPNAME% | more";
    const ScriptLines lines = GS_MakeBat(c, kOrigin);
    EXPECT_EQ(lines[7], "set WADROOT=\"/w&d 100%%\"");
    EXPECT_EQ(lines[8], "set BSPODIR=\"/out|x>y\"");
    EXPECT_EQ(lines[9], "set MAPFILE=\"/tmp/R&D 50%%/box.map\"");
    EXPECT_EQ(lines[10], "set MAPPATH=/tmp/R^&D 50%%/box");
    EXPECT_EQ(lines[11], "set MAPNAME=box");
    EXPECT_EQ(lines[12], "set LOGVIEW=\"/v%%/<view>\"");
    EXPECT_EQ(lines[17], "echo Map file: /tmp/R^&D 50%%/box.map");
    EXPECT_EQ(lines[18], "echo Wad root: /w^&d 100%%");
    EXPECT_EQ(lines[19], "echo BSP folder: /out^|x^>y");
    EXPECT_EQ(lines[20], "echo CSG(+) -x %MAPNAME% & echo");
    EXPECT_EQ(lines[24], "echo Game(+) +map %MAPNAME% | more");
    EXPECT_EQ(lines[30], "\"/t 5%%/hl&csg\" %MAPFILE% -x %MAPNAME% & echo");
    EXPECT_LT(IndexOf(lines, "\"/p 1%%/ferrowind\" +beep"), lines.size());
    EXPECT_LT(IndexOf(lines, "\"/g%%/hl\" +map %MAPNAME% | more"), lines.size());
}

TEST(GsScriptEscapingTest, CaretAndRedirectionsInTheFolderAndPercentInTheName)
{
    TGSConfig c = PageDefaults();
    c.MapFile = "/a^b<c>d/50%box.map";
    const ScriptLines lines = GS_MakeBat(c, kOrigin);
    EXPECT_EQ(lines[9], "set MAPFILE=\"/a^b<c>d/50%%box.map\"");
    EXPECT_EQ(lines[10], "set MAPPATH=/a^^b^<c^>d/50%%box");
    EXPECT_EQ(lines[11], "set MAPNAME=50%%box");
    EXPECT_EQ(lines[17], "echo Map file: /a^^b^<c^>d/50%%box.map");
}

TEST(GsScriptEscapingTest, UnsafeMapsAndPathsAreNamed)
{
    for (const char* c : {"&", "|", "<", ">", "^"}) {
        const auto problem = UnsafeMapProblem(std::string("/maps/a") + c + "b.map");
        ASSERT_TRUE(problem.has_value()) << c;
        EXPECT_THAT(*problem, ::testing::HasSubstr(std::string("\"") + c + "\""));
    }
    EXPECT_EQ(UnsafeMapProblem("/R&D <1> | ^/50%box.map"), std::nullopt);
#ifndef _WIN32
    // Windows-style text is one file name on Linux, so its & is in the name.
    EXPECT_THAT(UnsafeMapProblem("C:\\R&D\\box.map").value_or(""), ::testing::HasSubstr("\"&\""));
#endif
    EXPECT_TRUE(UnsafeMapProblem("/say \"hi\"/box.map").has_value());
    EXPECT_THAT(UnsafePathProblem("/tools/\"hl\"").value_or(""), ::testing::HasSubstr("double quote"));
    EXPECT_EQ(UnsafePathProblem("/tools/R&D 50%/hl"), std::nullopt);
}

TEST(GsScriptPathsTest, OnlyPathsTheScriptCarries)
{
    TGSConfig c = PageDefaults();
    c.RunCsg = false;
    c.RunGame = false;
    EXPECT_EQ(GsScriptPaths(c), (std::vector<std::string>{"/hl/wads", "/hl/valve/maps", "Notepad", "/hl/tools/hlbsp", "/hl/tools/hlvis", "/hl/tools/hlrad"}));
    c.Beep = true;
    EXPECT_EQ(GsScriptPaths(c).back(), "/opt/ferrowind/ferrowind");
}

} // namespace
