#pragma once

#include "script/ScriptLines.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Pieces of text shared by the compile-script generators of both engines.
namespace ferrowind {

// Fixed facts a script records about where and when it was made; passed in so generation stays pure.
struct ScriptOrigin {
    std::string date; // the user's short date
    std::string time; // the user's time with seconds
    std::string contact; // the project's contact address
};

inline constexpr const char* kRuleLine = "echo ---------------------------------------";
inline constexpr const char* kErrorLine = "echo   ERROR ERROR ERROR ERROR ERROR ERROR";

// File-name part of a map path with every occurrence of its extension removed, ignoring case
// ("box.mapper.map" gives "boxper"; a name without a dot stays whole).
std::string mapNameOf(std::string_view mapFile);

// Folder part of the map path, trimmed, joined to the map name by exactly one separator.
std::string mapPathBaseOf(std::string_view mapFile);

// A value that sits inside double quotes in a script line: only % needs doubling.
std::string escapeQuoted(std::string_view text);

// A value that sits outside quotes (echo lines, unquoted set lines): % doubled, ^ & | < > escaped with ^.
std::string escapeUnquoted(std::string_view text);

// Parameters as an echo line prints them: ^ & | < > outside double quotes escaped with ^, so that they are
// printed rather than run; % is left alone, so the summary shows what the tool line expands.
std::string escapeOutsideQuotes(std::string_view text);

// Why a map or path cannot be written into a script, in words for the user; nothing when it can.
// A map's own file name must not hold & | < > ^ (it is expanded unquoted), and no path may hold a double quote
// or a line break.
std::optional<std::string> unsafeMapProblem(std::string_view mapFile);
std::optional<std::string> unsafePathProblem(std::string_view path);

// The paths always carried by a script, followed by each optional one whose flag is set.
std::vector<std::string> pathsInUse(
    std::vector<std::string> always, std::initializer_list<std::pair<bool, const std::string&>> optional);

// One compile stage as both scripts run it.
struct CompileStage {
    bool run;
    const char* name; // "BSP", shown in the title and the summary
    const char* label; // "::Run bsp"
    const std::string& tool;
    const std::string& params;
};

int selectedStageCount(std::initializer_list<CompileStage> stages);

// "+" for a selected stage, "-" otherwise.
std::string flagSign(bool flag);

// The first lines of every compile script: echo off, the console colour, the restart label and "cls".
ScriptLines beginSection(std::string_view consoleColor);

// "title Map: [%MAPNAME%] Stage: [0/<n>]", the title before the first stage.
std::string startTitle(std::initializer_list<CompileStage> stages);

// "echo Ferrowind v<version> (<contact>)", the first line of the printed summary.
std::string versionLine(std::string_view version, const ScriptOrigin& origin);

// "echo BSP(+) <params>": the summary line of a stage or of the game, run or not.
std::string summaryLine(std::string_view name, bool run, std::string_view params);

// One summary line per stage.
void appendStageSummary(ScriptLines& lines, std::initializer_list<CompileStage> stages);

// The creation stamp, the closing rule and an empty echo that end the printed summary.
void appendStampAndClose(ScriptLines& lines, const ScriptOrigin& origin);

// Each selected stage: its label, the title naming it as stage k of n, the tool with the map argument
// and the user's parameters, and the jump to the error section on failure.
void appendStageBlocks(ScriptLines& lines, std::initializer_list<CompileStage> stages, std::string_view mapArgument);

// `if exist "%MAPPATH%<ext>" <action> "%MAPPATH%<ext>"`-style lines used after compiling.
std::string ifMapFileExists(std::string_view extension, std::string_view action);

// Opens the compile log in the configured viewer. `start` takes a quoted first word as the window title,
// so an empty title comes first and the viewer is the program started.
std::string openLogLine();

// The program started again with "+beep" to play the completion sound.
std::string beepLine(std::string_view programPath);

// The game started on the new map.
std::string gameLine(std::string_view gameExe, std::string_view gameParams);

// Powers the computer off and ends the script.
void appendShutdown(ScriptLines& lines);

// A message between two rule lines.
void appendBanner(ScriptLines& lines, std::string_view messageLine);

// The end of a successful compile: the pause loop that waits for "1", or the jump to the end.
// `setCommand` is the spelling of `set` the engine's script uses, `initialValue` the answer's start value.
void appendPauseOrEnd(ScriptLines& lines, bool pause, std::string_view setCommand, std::string_view initialValue);

struct MenuItem {
    const char* caption; // "Open .log file"
    std::string action; // what the script does when the item's number is entered
};

// The error section (shutting down instead when asked) with its numbered menu, and the loop that reads the
// choice and acts on it.
void appendErrorMenu(
    ScriptLines& lines, bool shutdown, std::string_view setCommand, std::initializer_list<MenuItem> items);

// The empty line, end label and exit that close every compile script.
void appendEndSection(ScriptLines& lines);

} // namespace ferrowind
