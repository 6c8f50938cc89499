#pragma once

#include "script/ScriptWriter.h"
#include "script/StagePlan.h"

#include <initializer_list>
#include <string>
#include <string_view>

// Pieces of text shared by the compile-script generators of both engines.
namespace ferrowind {

// Fixed facts a script records about where and when it was made; passed in so generation stays pure.
struct ScriptOrigin {
    std::string date; // the user's short date
    std::string time; // the user's time with seconds
    std::string contact; // the project's contact address
};

// Names the compile scripts in refusals.
inline constexpr const char* kCompileScriptKind = "compile";

inline constexpr char kRuleLine[] = "echo ---------------------------------------";
inline constexpr char kErrorLine[] = "echo   ERROR ERROR ERROR ERROR ERROR ERROR";

// File-name part of a map path with every occurrence of its extension removed, ignoring case
// ("box.mapper.map" gives "boxper"; a name without a dot stays whole).
std::string mapNameOf(std::string_view mapFile);

// Folder part of the map path, trimmed, joined to the map name by exactly one separator.
std::string mapPathBaseOf(std::string_view mapFile);

int selectedStageCount(const StagePlan& stages);

// "+" for a selected stage, "-" otherwise.
Piece flagSign(bool flag);

// The first lines of every compile script: echo off, the console colour, the restart label and "cls".
void appendBeginSection(ScriptWriter& script, std::string_view consoleColor);

// "title Map: [%MAPNAME%] Stage: [0/<n>]", the title before the first stage.
void appendStartTitle(ScriptWriter& script, const StagePlan& stages);

// "echo Ferrowind v<version> (<contact>)", the first line of the printed summary.
void appendVersionLine(ScriptWriter& script, std::string_view version, const ScriptOrigin& origin);

// "echo BSP(+) <params>": the summary line of a stage or of the game, run or not.
void appendSummaryLine(ScriptWriter& script, Piece name, bool run, std::string_view params);

// One summary line per stage.
void appendStageSummary(ScriptWriter& script, const StagePlan& stages);

// The creation stamp, the closing rule and an empty echo that end the printed summary.
void appendStampAndClose(ScriptWriter& script, const ScriptOrigin& origin);

// Each selected stage: its label, the title naming it as stage k of n, the tool with the map argument
// and the user's parameters, and what a failure does; then the label of the after-compilation steps.
void appendStageBlocks(ScriptWriter& script, const StagePlan& stages, Piece mapArgument, ScriptSections& sections);

// `if exist "%MAPPATH%<ext>" <action> "%MAPPATH%<ext>"<after>`: the lines used after compiling.
void appendIfMapFileExists(ScriptWriter& script, Piece extension, Piece action, Piece after = "");

// Opens the compile log in the configured viewer. `start` takes a quoted first word as the window title,
// so an empty title comes first and the viewer is the program started.
void appendOpenLog(ScriptWriter& script);

// The program started again with "+beep" to play the completion sound.
void appendBeep(ScriptWriter& script, std::string_view programPath);

// The game started on the new map.
void appendGame(ScriptWriter& script, std::string_view gameExe, std::string_view gameParams);

// Powers the computer off and ends the script.
void appendShutdown(ScriptWriter& script);

// A message between two rule lines.
void appendBanner(ScriptWriter& script, Piece messageLine);

// The end of a successful compile: the pause loop that waits for "1", or the jump to the end.
// `setCommand` is the spelling of `set` the engine's script uses, `initialValue` the answer's start value.
void appendPauseOrEnd(ScriptWriter& script, bool pause, Piece setCommand, Piece initialValue, ScriptSections& sections);

// What the error menu's items do when their number is entered.
inline constexpr char kOpenLogAction[] = "if exist \"%MAPPATH%.log\" %LOGVIEW% \"%MAPPATH%.log\"";
inline constexpr char kOpenErrAction[] = "if exist \"%MAPPATH%.err\" %LOGVIEW% \"%MAPPATH%.err\"";

struct MenuItem {
    Piece caption; // "Open .log file"
    Piece action; // what the script does when the item's number is entered
};

// The error section (shutting down instead when asked) with its numbered menu, and the loop that reads the
// choice and acts on it.
void appendErrorMenu(ScriptWriter& script, bool shutdown, Piece setCommand, std::initializer_list<MenuItem> items,
    ScriptSections& sections);

// The empty line, end label and exit that close every compile script.
void appendEndSection(ScriptWriter& script);

} // namespace ferrowind
