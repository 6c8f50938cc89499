#include "source/SScript.h"

std::vector<std::string> SScriptPaths(const TSConfig& c)
{
    return PathsInUse({c.BspOutDir, c.BinDir, c.LogViewer},
                      {{c.RunBsp, c.BspTool}, {c.RunVis, c.VisTool}, {c.RunRad, c.RadTool}, {c.RunGame, c.GameExe}, {c.Beep, c.ProgramPath}});
}

ScriptLines S_MakeBat(const TSConfig& c, const ScriptOrigin& origin)
{
    const std::initializer_list<CompileStage> stages{
        {c.RunBsp, "BSP", "::Run bsp", c.BspTool, c.BspParams},
        {c.RunVis, "VIS", "::Run vis", c.VisTool, c.VisParams},
        {c.RunRad, "RAD", "::Run rad", c.RadTool, c.RadParams},
    };

    ScriptLines s = BeginSection(c.ConsoleColor);
    s.insert(s.end(), {
        "::Variables",
        "set BSPODIR=\"" + EscapeQuoted(c.BspOutDir) + "\"",
        "set MAPPATH=" + EscapeUnquoted(MapPathBaseOf(c.VmfFile)),
        "set MAPNAME=" + EscapeUnquoted(MapNameOf(c.VmfFile)),
        "set LOGVIEW=\"" + EscapeQuoted(c.LogViewer) + "\"",
        "::Information",
        "title Map: [%MAPNAME%] Stage: [0/" + std::to_string(SelectedStageCount(stages)) + "]",
        VersionLine(c.Version, origin),
        kRuleLine,
        "echo Vmf file: " + EscapeUnquoted(c.VmfFile),
        "echo BSP out folder: " + EscapeUnquoted(c.BspOutDir),
        "echo Bin folder: " + EscapeUnquoted(c.BinDir),
    });
    AppendStageSummary(s, stages);
    s.push_back("echo Game(" + FlagSign(c.RunGame) + ") " + c.GameParams);
    AppendStampAndClose(s, origin);
    // "/d" so that a Bin folder on another drive becomes the current folder too.
    s.push_back("cd /d \"" + EscapeQuoted(c.BinDir) + "\"");

    AppendStageBlocks(s, stages, "\"%MAPPATH%\"");

    s.push_back("::After compilation");
    if (!c.NotCopyBsp)
        s.push_back(IfMapFileExists(".bsp", "copy") + " %BSPODIR%");
    if (c.OpenLog)
        s.push_back(IfMapFileExists(".log", "start %LOGVIEW%"));
    if (c.DeleteLog)
        s.push_back(IfMapFileExists(".log", "del"));
    if (c.Beep)
        s.push_back(BeepLine(c.ProgramPath));
    if (c.Shutdown) {
        s.push_back(kShutdownLine);
        s.push_back("exit");
    }
    if (c.RunGame)
        s.push_back("\"" + EscapeQuoted(c.GameExe) + "\" " + c.GameParams);

    if (c.Pause) {
        s.push_back("title Map: [%MAPNAME%] - Compilation finished");
        AppendBanner(s, "echo   Compilation finished");
        s.push_back("::Section - Pause");
        s.push_back(":PAUSEITEM");
        s.push_back("Set ENTERRESULT=0");
        s.push_back("echo Enter \"1\" for exit...");
        s.push_back("Set /P ENTERRESULT=");
        s.push_back("if %ENTERRESULT%==1 exit");
        s.push_back("goto PAUSEITEM");
    } else {
        s.push_back("goto ENDCOMPILATION");
    }

    s.push_back("");
    s.push_back("::Section - Error");
    s.push_back(":ERRORCOMPILATION");
    if (c.Shutdown) {
        s.push_back(kShutdownLine);
        s.push_back("exit");
    }
    AppendBanner(s, kErrorLine);
    s.push_back("echo 1. Open .log file");
    s.push_back("echo 2. Restart");
    s.push_back("echo 3. Exit");
    s.push_back("goto SELECTITEM");
    s.push_back("");
    s.push_back("::Section - Select");
    s.push_back(":SELECTITEM");
    s.push_back("Set SELRESULT=nil");
    s.push_back("echo Select item:");
    s.push_back("Set /P SELRESULT=");
    s.push_back("if %SELRESULT%==1 " + IfMapFileExists(".log", "%LOGVIEW%"));
    s.push_back("if %SELRESULT%==2 goto BEGINCOMPILATION");
    s.push_back("if %SELRESULT%==3 exit");
    s.push_back("goto SELECTITEM");
    AppendEndSection(s);
    return s;
}
