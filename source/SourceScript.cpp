#include "source/SourceScript.h"

#include "source/SourceStagePlan.h"

namespace ferrowind {

ScriptLines makeSourceScript(const SourceScriptInput& input, const ScriptOrigin& origin, ScriptSections* sections)
{
    const SourceOptions& o = input.options;
    const SourcePaths& p = input.paths;
    const StagePlan stages = sourceStagePlan(input);
    ScriptSections found;

    ScriptWriter s(kCompileScriptKind);
    appendBeginSection(s, input.consoleColor);
    s.line("::Variables");
    s.line({"set BSPODIR=", Piece::quotedPath(p.bspOut)});
    s.line({"set MAPPATH=", Piece::barePath(mapPathBaseOf(input.vmfFile))});
    s.line({"set MAPNAME=", Piece::fileName(mapNameOf(input.vmfFile), input.vmfFile, "map file")});
    s.line({"set LOGVIEW=", Piece::quotedPath(input.logViewer)});
    s.line("::Information");
    appendStartTitle(s, stages);
    appendVersionLine(s, input.version, origin);
    s.line(kRuleLine);
    s.line({"echo Vmf file: ", Piece::barePath(input.vmfFile)});
    s.line({"echo BSP out folder: ", Piece::barePath(p.bspOut)});
    s.line({"echo Bin folder: ", Piece::barePath(p.bin)});
    appendStageSummary(s, stages);
    appendSummaryLine(s, "Game", o.runGame, o.gameParams);
    appendStampAndClose(s, origin);
    // "/d" so that a Bin folder on another drive becomes the current folder too.
    s.line({"cd /d ", Piece::quotedPath(p.bin)});

    appendStageBlocks(s, stages, "\"%MAPPATH%\"", found);
    if (!o.notCopyBsp)
        appendIfMapFileExists(s, ".bsp", "copy", " %BSPODIR%");
    if (o.openLog)
        appendOpenLog(s);
    if (o.deleteLog)
        appendIfMapFileExists(s, ".log", "del");
    if (o.beep)
        appendBeep(s, input.programPath);
    if (o.shutdown)
        appendShutdown(s);
    if (o.runGame)
        appendGame(s, p.gameExe, o.gameParams);
    appendPauseOrEnd(s, o.pause, "Set", "0", found);

    appendErrorMenu(s, o.shutdown, "Set",
        {
            {"Open .log file", kOpenLogAction},
            {"Restart", "goto BEGINCOMPILATION"},
            {"Exit", "exit"},
        },
        found);
    appendEndSection(s);
    if (sections)
        *sections = found;
    return s.take();
}

} // namespace ferrowind
