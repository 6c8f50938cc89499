#include "goldsource/GsScript.h"

std::string GS_FlagSign(bool flag) { return FlagSign(flag); }

std::vector<std::string> GsScriptPaths(const TGSConfig& c)
{
    return PathsInUse({c.WadRoot, c.BspOutDir, c.LogViewer}, {{c.RunCsg, c.CsgTool}, {c.RunBsp, c.BspTool}, {c.RunVis, c.VisTool},
                                                             {c.RunRad, c.RadTool}, {c.RunGame, c.GameExe}, {c.Beep, c.ProgramPath}});
}

ScriptLines GS_MakeBat(const TGSConfig& c, const ScriptOrigin& origin)
{
    const std::initializer_list<CompileStage> stages{
        {c.RunCsg, "CSG", "::Run csg", c.CsgTool, c.CsgParams},
        {c.RunBsp, "BSP", "::Run bsp", c.BspTool, c.BspParams},
        {c.RunVis, "VIS", "::Run vis", c.VisTool, c.VisParams},
        {c.RunRad, "RAD", "::Run rad", c.RadTool, c.RadParams},
    };

    ScriptLines s = BeginSection(c.ConsoleColor);
    s.insert(s.end(), {
        "::Variables",
        "set WADROOT=\"" + EscapeQuoted(c.WadRoot) + "\"",
        "set BSPODIR=\"" + EscapeQuoted(c.BspOutDir) + "\"",
        "set MAPFILE=\"" + EscapeQuoted(c.MapFile) + "\"",
        "set MAPPATH=" + EscapeUnquoted(MapPathBaseOf(c.MapFile)),
        "set MAPNAME=" + EscapeUnquoted(MapNameOf(c.MapFile)),
        "set LOGVIEW=\"" + EscapeQuoted(c.LogViewer) + "\"",
        "::Information",
        "title Map: [%MAPNAME%] Stage: [0/" + std::to_string(SelectedStageCount(stages)) + "]",
        VersionLine(c.Version, origin),
        kRuleLine,
        "echo Map file: " + EscapeUnquoted(c.MapFile),
        "echo Wad root: " + EscapeUnquoted(c.WadRoot),
        "echo BSP folder: " + EscapeUnquoted(c.BspOutDir),
    });
    AppendStageSummary(s, stages);
    s.push_back("echo Game(" + GS_FlagSign(c.RunGame) + ") " + c.GameParams);
    AppendStampAndClose(s, origin);

    AppendStageBlocks(s, stages, "%MAPFILE%");

    s.push_back("::After compilation");
    if (!c.NotCopyBsp)
        s.push_back(IfMapFileExists(".bsp", "copy") + " %BSPODIR%");
    if (c.CopyPts)
        s.push_back(IfMapFileExists(".pts", "copy") + " %BSPODIR%");
    if (c.Beep)
        s.push_back(BeepLine(c.ProgramPath));
    if (c.OpenLog)
        s.push_back(IfMapFileExists(".log", "start %LOGVIEW%"));
    const std::pair<bool, const char*> deletions[] = {
        {c.DeleteLog, ".log"}, {c.DeleteP0, ".p0"},  {c.DeleteP1, ".p1"},  {c.DeleteP2, ".p2"}, {c.DeleteP3, ".p3"},
        {c.DeletePrt, ".prt"}, {c.DeleteWic, ".wic"}, {c.DeleteLin, ".lin"}, {c.DeletePts, ".pts"},
    };
    for (const auto& [selected, extension] : deletions)
        if (selected)
            s.push_back(IfMapFileExists(extension, "del"));
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
        s.push_back("set ENTERRESULT=nil");
        s.push_back("echo Enter \"1\" for exit...");
        s.push_back("set /P ENTERRESULT=");
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
    s.push_back("echo 2. Open .err file");
    s.push_back("echo 3. Restart");
    s.push_back("echo 4. Exit");
    s.push_back("goto SELECTITEM");
    s.push_back("");
    s.push_back("::Section - Select");
    s.push_back(":SELECTITEM");
    s.push_back("set SELRESULT=nil");
    s.push_back("echo Select item:");
    s.push_back("set /P SELRESULT=");
    s.push_back("if %SELRESULT%==1 " + IfMapFileExists(".log", "%LOGVIEW%"));
    s.push_back("if %SELRESULT%==2 " + IfMapFileExists(".err", "%LOGVIEW%"));
    s.push_back("if %SELRESULT%==3 goto BEGINCOMPILATION");
    s.push_back("if %SELRESULT%==4 exit");
    s.push_back("goto SELECTITEM");
    AppendEndSection(s);
    return s;
}
