#pragma once

#include "app/ScriptLines.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Pieces of text shared by the compile-script generators of both engines.

// Fixed facts a script records about where and when it was made; passed in so generation stays pure.
struct ScriptOrigin {
    std::string date;    // the user's short date
    std::string time;    // the user's time with seconds
    std::string contact; // the project's contact address
};

inline constexpr const char* kRuleLine = "echo ---------------------------------------";
inline constexpr const char* kErrorLine = "echo   ERROR ERROR ERROR ERROR ERROR ERROR";
inline constexpr const char* kShutdownLine = "shutdown /s /f";

// File-name part of a map path with every occurrence of its extension removed, ignoring case
// ("box.mapper.map" gives "boxper"; a name without a dot stays whole).
std::string MapNameOf(std::string_view mapFile);

// Folder part of the map path, trimmed, joined to the map name by exactly one separator.
std::string MapPathBaseOf(std::string_view mapFile);

// A value that sits inside double quotes in a script line: only % needs doubling.
std::string EscapeQuoted(std::string_view text);

// A value that sits outside quotes (echo lines, unquoted set lines): % doubled, ^ & | < > escaped with ^.
std::string EscapeUnquoted(std::string_view text);

// Why a map or path cannot be written into a script, in words for the user; nothing when it can.
// A map's own file name must not hold & | < > ^ (it is expanded unquoted), and no path may hold a double quote.
std::optional<std::string> UnsafeMapProblem(std::string_view mapFile);
std::optional<std::string> UnsafePathProblem(std::string_view path);

// The paths always carried by a script, followed by each optional one whose flag is set.
std::vector<std::string> PathsInUse(std::vector<std::string> always, std::initializer_list<std::pair<bool, const std::string&>> optional);

// One compile stage as both scripts run it.
struct CompileStage {
    bool run;
    const char* name;  // "BSP", shown in the title and the summary
    const char* label; // "::Run bsp"
    const std::string& tool;
    const std::string& params;
};

// How many of the stages run.
int SelectedStageCount(std::initializer_list<CompileStage> stages);

// "echo BSP(+) <params>": one summary line per stage, run or not.
void AppendStageSummary(ScriptLines& lines, std::initializer_list<CompileStage> stages);

// Each selected stage: its label, the title naming it as stage k of n, the tool with the map argument
// and the user's parameters, and the jump to the error section on failure.
void AppendStageBlocks(ScriptLines& lines, std::initializer_list<CompileStage> stages, std::string_view mapArgument);

// "+" for a selected stage, "-" otherwise.
std::string FlagSign(bool flag);

// The first lines of every compile script: echo off, the console colour, the restart label and "cls".
ScriptLines BeginSection(std::string_view consoleColor);

// "echo Ferrowind v<version> (<contact>)", the first line of the printed summary.
std::string VersionLine(std::string_view version, const ScriptOrigin& origin);

// The creation stamp, the closing rule and an empty echo that end the printed summary.
void AppendStampAndClose(ScriptLines& lines, const ScriptOrigin& origin);

// A message between two rule lines.
void AppendBanner(ScriptLines& lines, std::string_view messageLine);

// The program started again with "+beep" to play the completion sound.
std::string BeepLine(std::string_view programPath);

// The empty line, end label and exit that close every compile script.
void AppendEndSection(ScriptLines& lines);

// `if exist "%MAPPATH%<ext>" <action> "%MAPPATH%<ext>"`-style lines used after compiling.
std::string IfMapFileExists(std::string_view extension, std::string_view action);
