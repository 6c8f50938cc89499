#include "goldsource/GoldSourceScript.h"

#include "goldsource/GoldSourceStagePlan.h"

namespace ferrowind {

namespace {
struct Deletion {
    bool selected;
    Piece extension;
};
} // namespace

ScriptLines makeGoldSourceScript(
    const GoldSourceScriptInput& input, const ScriptOrigin& origin, ScriptSections* sections)
{
    const GoldSourceOptions& o = input.options;
    const GoldSourcePaths& p = input.paths;
    const StagePlan stages = goldSourceStagePlan(input);
    ScriptSections found;

    ScriptWriter s(kCompileScriptKind);
    appendBeginSection(s, input.consoleColor);
    s.line("::Variables");
    s.line({"set ", Piece::quotedAssignment("WADROOT", p.wadRoot)}); // the tools read the value: no quotes in it
    s.line({"set BSPODIR=", Piece::quotedPath(p.bspOut)});
    s.line({"set MAPFILE=", Piece::quotedPath(input.mapFile)});
    s.line({"set MAPPATH=", Piece::barePath(mapPathBaseOf(input.mapFile))});
    s.line({"set MAPNAME=", Piece::fileName(mapNameOf(input.mapFile), input.mapFile, "map file")});
    s.line({"set LOGVIEW=", Piece::quotedPath(input.logViewer)});
    s.line("::Information");
    appendStartTitle(s, stages);
    appendVersionLine(s, input.version, origin);
    s.line(kRuleLine);
    s.line({"echo Map file: ", Piece::barePath(input.mapFile)});
    s.line({"echo Wad root: ", Piece::barePath(p.wadRoot)});
    s.line({"echo BSP folder: ", Piece::barePath(p.bspOut)});
    appendStageSummary(s, stages);
    appendSummaryLine(s, "Game", o.runGame, o.gameParams);
    appendStampAndClose(s, origin);

    appendStageBlocks(s, stages, "%MAPFILE%", found);
    if (!o.notCopyBsp)
        appendIfMapFileExists(s, ".bsp", "copy", " %BSPODIR%");
    if (o.copyPts)
        appendIfMapFileExists(s, ".pts", "copy", " %BSPODIR%");
    if (o.beep)
        appendBeep(s, input.programPath);
    if (o.openLog)
        appendOpenLog(s);
    const Deletion deletions[] = {
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
    for (const Deletion& deletion : deletions)
        if (deletion.selected)
            appendIfMapFileExists(s, deletion.extension, "del");
    if (o.shutdown)
        appendShutdown(s);
    if (o.runGame)
        appendGame(s, p.gameExe, o.gameParams);
    appendPauseOrEnd(s, o.pause, "set", "nil", found);

    appendErrorMenu(s, o.shutdown, "set",
        {
            {"Open .log file", kOpenLogAction},
            {"Open .err file", kOpenErrAction},
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
