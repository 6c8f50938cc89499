#include "goldsource/GoldSourceScript.h"

namespace ferrowind {

std::vector<std::string> goldSourceScriptPaths(const GoldSourceScriptInput& input)
{
    const GoldSourceOptions& o = input.options;
    const GoldSourcePaths& p = input.paths;
    return pathsInUse({p.wadRoot, p.bspOut, input.logViewer},
        {{o.runCsg, p.csgTool}, {o.runBsp, p.bspTool}, {o.runVis, p.visTool}, {o.runRad, p.radTool},
            {o.runGame, p.gameExe}, {o.beep, input.programPath}});
}

ScriptLines makeGoldSourceScript(const GoldSourceScriptInput& input, const ScriptOrigin& origin)
{
    const GoldSourceOptions& o = input.options;
    const GoldSourcePaths& p = input.paths;
    const std::initializer_list<CompileStage> stages{
        {o.runCsg, "CSG", "::Run csg", p.csgTool, o.csgParams},
        {o.runBsp, "BSP", "::Run bsp", p.bspTool, o.bspParams},
        {o.runVis, "VIS", "::Run vis", p.visTool, o.visParams},
        {o.runRad, "RAD", "::Run rad", p.radTool, o.radParams},
    };

    ScriptLines s = beginSection(input.consoleColor);
    s.insert(s.end(),
        {
            "::Variables",
            "set \"WADROOT=" + escapeQuoted(p.wadRoot) + "\"", // the tools read the value: no quotes in it
            "set BSPODIR=\"" + escapeQuoted(p.bspOut) + "\"",
            "set MAPFILE=\"" + escapeQuoted(input.mapFile) + "\"",
            "set MAPPATH=" + escapeUnquoted(mapPathBaseOf(input.mapFile)),
            "set MAPNAME=" + escapeUnquoted(mapNameOf(input.mapFile)),
            "set LOGVIEW=\"" + escapeQuoted(input.logViewer) + "\"",
            "::Information",
            startTitle(stages),
            versionLine(input.version, origin),
            kRuleLine,
            "echo Map file: " + escapeUnquoted(input.mapFile),
            "echo Wad root: " + escapeUnquoted(p.wadRoot),
            "echo BSP folder: " + escapeUnquoted(p.bspOut),
        });
    appendStageSummary(s, stages);
    s.push_back(summaryLine("Game", o.runGame, o.gameParams));
    appendStampAndClose(s, origin);

    appendStageBlocks(s, stages, "%MAPFILE%");

    s.push_back("::After compilation");
    if (!o.notCopyBsp)
        s.push_back(ifMapFileExists(".bsp", "copy") + " %BSPODIR%");
    if (o.copyPts)
        s.push_back(ifMapFileExists(".pts", "copy") + " %BSPODIR%");
    if (o.beep)
        s.push_back(beepLine(input.programPath));
    if (o.openLog)
        s.push_back(openLogLine());
    const std::pair<bool, const char*> deletions[] = {
        {o.deleteLog, ".log"},
        {o.deleteP0, ".p0"},
        {o.deleteP1, ".p1"},
        {o.deleteP2, ".p2"},
        {o.deleteP3, ".p3"},
        {o.deletePrt, ".prt"},
        {o.deleteWic, ".wic"},
        {o.deleteLin, ".lin"},
        {o.deletePts, ".pts"},
    };
    for (const auto& [selected, extension] : deletions)
        if (selected)
            s.push_back(ifMapFileExists(extension, "del"));
    if (o.shutdown)
        appendShutdown(s);
    if (o.runGame)
        s.push_back(gameLine(p.gameExe, o.gameParams));
    appendPauseOrEnd(s, o.pause, "set", "nil");

    appendErrorMenu(s, o.shutdown, "set",
        {
            {"Open .log file", ifMapFileExists(".log", "%LOGVIEW%")},
            {"Open .err file", ifMapFileExists(".err", "%LOGVIEW%")},
            {"Restart", "goto BEGINCOMPILATION"},
            {"Exit", "exit"},
        });
    appendEndSection(s);
    return s;
}

} // namespace ferrowind
