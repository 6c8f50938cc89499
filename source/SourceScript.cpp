#include "source/SourceScript.h"

namespace ferrowind {

std::vector<std::string> sourceScriptPaths(const SourceScriptInput& input)
{
    const SourceOptions& o = input.options;
    const SourcePaths& p = input.paths;
    return pathsInUse({p.bspOut, p.bin, input.logViewer},
        {{o.runBsp, p.bspTool}, {o.runVis, p.visTool}, {o.runRad, p.radTool}, {o.runGame, p.gameExe},
            {o.beep, input.programPath}});
}

ScriptLines makeSourceScript(const SourceScriptInput& input, const ScriptOrigin& origin)
{
    const SourceOptions& o = input.options;
    const SourcePaths& p = input.paths;
    const std::initializer_list<CompileStage> stages{
        {o.runBsp, "BSP", "::Run bsp", p.bspTool, o.bspParams},
        {o.runVis, "VIS", "::Run vis", p.visTool, o.visParams},
        {o.runRad, "RAD", "::Run rad", p.radTool, o.radParams},
    };

    ScriptLines s = beginSection(input.consoleColor);
    s.insert(s.end(),
        {
            "::Variables",
            "set BSPODIR=\"" + escapeQuoted(p.bspOut) + "\"",
            "set MAPPATH=" + escapeUnquoted(mapPathBaseOf(input.vmfFile)),
            "set MAPNAME=" + escapeUnquoted(mapNameOf(input.vmfFile)),
            "set LOGVIEW=\"" + escapeQuoted(input.logViewer) + "\"",
            "::Information",
            startTitle(stages),
            versionLine(input.version, origin),
            kRuleLine,
            "echo Vmf file: " + escapeUnquoted(input.vmfFile),
            "echo BSP out folder: " + escapeUnquoted(p.bspOut),
            "echo Bin folder: " + escapeUnquoted(p.bin),
        });
    appendStageSummary(s, stages);
    s.push_back(summaryLine("Game", o.runGame, o.gameParams));
    appendStampAndClose(s, origin);
    // "/d" so that a Bin folder on another drive becomes the current folder too.
    s.push_back("cd /d \"" + escapeQuoted(p.bin) + "\"");

    appendStageBlocks(s, stages, "\"%MAPPATH%\"");

    s.push_back("::After compilation");
    if (!o.notCopyBsp)
        s.push_back(ifMapFileExists(".bsp", "copy") + " %BSPODIR%");
    if (o.openLog)
        s.push_back(openLogLine());
    if (o.deleteLog)
        s.push_back(ifMapFileExists(".log", "del"));
    if (o.beep)
        s.push_back(beepLine(input.programPath));
    if (o.shutdown)
        appendShutdown(s);
    if (o.runGame)
        s.push_back(gameLine(p.gameExe, o.gameParams));
    appendPauseOrEnd(s, o.pause, "Set", "0");

    appendErrorMenu(s, o.shutdown, "Set",
        {
            {"Open .log file", ifMapFileExists(".log", "%LOGVIEW%")},
            {"Restart", "goto BEGINCOMPILATION"},
            {"Exit", "exit"},
        });
    appendEndSection(s);
    return s;
}

} // namespace ferrowind
