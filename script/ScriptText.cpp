#include "script/ScriptText.h"

#include "base/Paths.h"
#include "base/Text.h"

namespace ferrowind {

namespace {
bool isCommandCharacter(char c) { return c == '^' || c == '&' || c == '|' || c == '<' || c == '>'; }
} // namespace

std::string mapNameOf(std::string_view mapFile)
{
    const std::string name = base::fileNamePart(mapFile);
    const std::string extension = base::extensionOf(name);
    if (extension.empty())
        return name;
    const std::string lowerName = base::toLowerAscii(name);
    const std::string lowerExtension = base::toLowerAscii(extension);
    std::string result;
    size_t from = 0;
    for (size_t hit = lowerName.find(lowerExtension); hit != std::string::npos;
         hit = lowerName.find(lowerExtension, from)) {
        result.append(name, from, hit - from);
        from = hit + extension.size();
    }
    result.append(name, from);
    return result;
}

std::string mapPathBaseOf(std::string_view mapFile)
{
    return base::withTrailingSeparator(base::trim(base::folderPart(mapFile))) + mapNameOf(mapFile);
}

std::string escapeQuoted(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '%')
            escaped += '%';
        escaped += c;
    }
    return escaped;
}

std::string escapeOutsideQuotes(std::string_view text)
{
    std::string escaped;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && isCommandCharacter(c))
            escaped += '^';
        escaped += c;
    }
    return escaped;
}

std::string escapeUnquoted(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '%')
            escaped += '%';
        else if (isCommandCharacter(c))
            escaped += '^';
        escaped += c;
    }
    return escaped;
}

std::optional<std::string> unsafeMapProblem(std::string_view mapFile)
{
    if (auto problem = unsafePathProblem(mapFile))
        return problem;
    for (char c : base::fileNamePart(mapFile))
        if (isCommandCharacter(c))
            return "The map file name holds the character \"" + std::string(1, c) +
                "\", which a compile script cannot carry.\r\nPlease rename the map file.";
    return std::nullopt;
}

std::optional<std::string> unsafePathProblem(std::string_view path)
{
    // A line break would end the script line early and run the rest of the path as a command.
    const char* what = path.find('"') != std::string_view::npos ? "a double quote"
        : path.find_first_of("\r\n") != std::string_view::npos  ? "a line break"
                                                                : nullptr;
    if (what == nullptr)
        return std::nullopt;
    return "The path " + std::string(path) + " holds " + what +
        ", which a compile script cannot carry.\r\nPlease correct the path.";
}

std::vector<std::string> pathsInUse(
    std::vector<std::string> always, std::initializer_list<std::pair<bool, const std::string&>> optional)
{
    for (const auto& [used, path] : optional)
        if (used)
            always.push_back(path);
    return always;
}

int selectedStageCount(std::initializer_list<CompileStage> stages)
{
    int count = 0;
    for (const CompileStage& stage : stages)
        count += stage.run ? 1 : 0;
    return count;
}

std::string flagSign(bool flag) { return flag ? "+" : "-"; }

ScriptLines beginSection(std::string_view consoleColor)
{
    return {"@echo off", "color " + std::string(consoleColor), "", "::Section - Begin", ":BEGINCOMPILATION", "cls"};
}

std::string startTitle(std::initializer_list<CompileStage> stages)
{
    return "title Map: [%MAPNAME%] Stage: [0/" + std::to_string(selectedStageCount(stages)) + "]";
}

std::string versionLine(std::string_view version, const ScriptOrigin& origin)
{
    return "echo Ferrowind v" + std::string(version) + " (" + escapeUnquoted(origin.contact) + ")";
}

std::string summaryLine(std::string_view name, bool run, std::string_view params)
{
    return "echo " + std::string(name) + "(" + flagSign(run) + ") " + escapeOutsideQuotes(params);
}

void appendStageSummary(ScriptLines& lines, std::initializer_list<CompileStage> stages)
{
    for (const CompileStage& stage : stages)
        lines.push_back(summaryLine(stage.name, stage.run, stage.params));
}

void appendStampAndClose(ScriptLines& lines, const ScriptOrigin& origin)
{
    lines.push_back("echo File created: " + escapeUnquoted(origin.date) + " at: " + escapeUnquoted(origin.time));
    lines.push_back(kRuleLine);
    lines.push_back("echo.");
}

void appendStageBlocks(ScriptLines& lines, std::initializer_list<CompileStage> stages, std::string_view mapArgument)
{
    const std::string count = std::to_string(selectedStageCount(stages));
    int number = 0;
    for (const CompileStage& stage : stages) {
        if (!stage.run)
            continue;
        lines.push_back(stage.label);
        lines.push_back(
            "title Map: [%MAPNAME%] Stage: [" + std::to_string(++number) + "/" + count + "] - " + stage.name);
        lines.push_back("\"" + escapeQuoted(stage.tool) + "\" " + std::string(mapArgument) + " " + stage.params);
        lines.push_back("if ERRORLEVEL 1 goto ERRORCOMPILATION");
    }
}

std::string ifMapFileExists(std::string_view extension, std::string_view action)
{
    const std::string file = "\"%MAPPATH%" + std::string(extension) + "\"";
    return "if exist " + file + " " + std::string(action) + " " + file;
}

std::string openLogLine() { return ifMapFileExists(".log", "start \"\" %LOGVIEW%"); }

std::string beepLine(std::string_view programPath) { return "\"" + escapeQuoted(programPath) + "\" +beep"; }

std::string gameLine(std::string_view gameExe, std::string_view gameParams)
{
    return "\"" + escapeQuoted(gameExe) + "\" " + std::string(gameParams);
}

void appendShutdown(ScriptLines& lines)
{
    lines.push_back("shutdown /s /f");
    lines.push_back("exit");
}

void appendBanner(ScriptLines& lines, std::string_view messageLine)
{
    lines.push_back(kRuleLine);
    lines.push_back(std::string(messageLine));
    lines.push_back(kRuleLine);
}

void appendPauseOrEnd(ScriptLines& lines, bool pause, std::string_view setCommand, std::string_view initialValue)
{
    if (!pause) {
        lines.push_back("goto ENDCOMPILATION");
        return;
    }
    const std::string set(setCommand);
    lines.push_back("title Map: [%MAPNAME%] - Compilation finished");
    appendBanner(lines, "echo   Compilation finished");
    lines.push_back("::Section - Pause");
    lines.push_back(":PAUSEITEM");
    lines.push_back(set + " ENTERRESULT=" + std::string(initialValue));
    lines.push_back("echo Enter \"1\" for exit...");
    lines.push_back(set + " /P ENTERRESULT=");
    lines.push_back("if %ENTERRESULT%==1 exit");
    lines.push_back("goto PAUSEITEM");
}

void appendErrorMenu(
    ScriptLines& lines, bool shutdown, std::string_view setCommand, std::initializer_list<MenuItem> items)
{
    const std::string set(setCommand);
    lines.push_back("");
    lines.push_back("::Section - Error");
    lines.push_back(":ERRORCOMPILATION");
    if (shutdown)
        appendShutdown(lines);
    appendBanner(lines, kErrorLine);
    int number = 0;
    for (const MenuItem& item : items)
        lines.push_back("echo " + std::to_string(++number) + ". " + item.caption);
    lines.push_back("goto SELECTITEM");
    lines.push_back("");
    lines.push_back("::Section - Select");
    lines.push_back(":SELECTITEM");
    lines.push_back(set + " SELRESULT=nil");
    lines.push_back("echo Select item:");
    lines.push_back(set + " /P SELRESULT=");
    number = 0;
    for (const MenuItem& item : items)
        lines.push_back("if %SELRESULT%==" + std::to_string(++number) + " " + item.action);
    lines.push_back("goto SELECTITEM");
}

void appendEndSection(ScriptLines& lines)
{
    lines.push_back("");
    lines.push_back("::Section - End");
    lines.push_back(":ENDCOMPILATION");
    lines.push_back("exit");
}

} // namespace ferrowind
