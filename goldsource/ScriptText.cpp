#include "goldsource/ScriptText.h"

#include "platform/Paths.h"
#include "platform/Text.h"

namespace {
bool IsCommandCharacter(char c) { return c == '^' || c == '&' || c == '|' || c == '<' || c == '>'; }
}

std::string MapNameOf(std::string_view mapFile)
{
    const std::string name = FileNamePart(mapFile);
    const std::string extension = ExtensionOf(name);
    if (extension.empty())
        return name;
    const std::string lowerName = ToLowerAscii(name);
    const std::string lowerExtension = ToLowerAscii(extension);
    std::string result;
    size_t from = 0;
    for (size_t hit = lowerName.find(lowerExtension); hit != std::string::npos; hit = lowerName.find(lowerExtension, from)) {
        result.append(name, from, hit - from);
        from = hit + extension.size();
    }
    result.append(name, from);
    return result;
}

std::string MapPathBaseOf(std::string_view mapFile)
{
    return WithTrailingSeparator(Trim(FolderPart(mapFile))) + MapNameOf(mapFile);
}

std::string EscapeQuoted(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '%')
            escaped += '%';
        escaped += c;
    }
    return escaped;
}

std::string EscapeUnquoted(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '%')
            escaped += '%';
        else if (IsCommandCharacter(c))
            escaped += '^';
        escaped += c;
    }
    return escaped;
}

std::optional<std::string> UnsafeMapProblem(std::string_view mapFile)
{
    if (auto problem = UnsafePathProblem(mapFile))
        return problem;
    for (char c : FileNamePart(mapFile))
        if (IsCommandCharacter(c))
            return "The map file name holds the character \"" + std::string(1, c) +
                   "\", which a compile script cannot carry.\r\nPlease rename the map file.";
    return std::nullopt;
}

std::optional<std::string> UnsafePathProblem(std::string_view path)
{
    if (path.find('"') == std::string_view::npos)
        return std::nullopt;
    return "The path " + std::string(path) + " holds a double quote, which a compile script cannot carry.\r\nPlease correct the path.";
}

std::vector<std::string> PathsInUse(std::vector<std::string> always, std::initializer_list<std::pair<bool, const std::string&>> optional)
{
    for (const auto& [used, path] : optional)
        if (used)
            always.push_back(path);
    return always;
}

int SelectedStageCount(std::initializer_list<CompileStage> stages)
{
    int count = 0;
    for (const CompileStage& stage : stages)
        count += stage.run ? 1 : 0;
    return count;
}

void AppendStageSummary(ScriptLines& lines, std::initializer_list<CompileStage> stages)
{
    for (const CompileStage& stage : stages)
        lines.push_back(std::string("echo ") + stage.name + "(" + FlagSign(stage.run) + ") " + stage.params);
}

void AppendStageBlocks(ScriptLines& lines, std::initializer_list<CompileStage> stages, std::string_view mapArgument)
{
    const std::string count = std::to_string(SelectedStageCount(stages));
    int number = 0;
    for (const CompileStage& stage : stages) {
        if (!stage.run)
            continue;
        lines.push_back(stage.label);
        lines.push_back("title Map: [%MAPNAME%] Stage: [" + std::to_string(++number) + "/" + count + "] - " + stage.name);
        lines.push_back("\"" + EscapeQuoted(stage.tool) + "\" " + std::string(mapArgument) + " " + stage.params);
        lines.push_back("if ERRORLEVEL 1 goto ERRORCOMPILATION");
    }
}

std::string FlagSign(bool flag) { return flag ? "+" : "-"; }

std::string IfMapFileExists(std::string_view extension, std::string_view action)
{
    const std::string file = "\"%MAPPATH%" + std::string(extension) + "\"";
    return "if exist " + file + " " + std::string(action) + " " + file;
}

ScriptLines BeginSection(std::string_view consoleColor)
{
    return {"@echo off", "color " + std::string(consoleColor), "", "::Section - Begin", ":BEGINCOMPILATION", "cls"};
}

std::string VersionLine(std::string_view version, const ScriptOrigin& origin)
{
    return "echo Ferrowind v" + std::string(version) + " (" + EscapeUnquoted(origin.contact) + ")";
}

void AppendStampAndClose(ScriptLines& lines, const ScriptOrigin& origin)
{
    lines.push_back("echo File created: " + EscapeUnquoted(origin.date) + " at: " + EscapeUnquoted(origin.time));
    lines.push_back(kRuleLine);
    lines.push_back("echo.");
}

void AppendBanner(ScriptLines& lines, std::string_view messageLine)
{
    lines.push_back(kRuleLine);
    lines.push_back(std::string(messageLine));
    lines.push_back(kRuleLine);
}

std::string BeepLine(std::string_view programPath) { return "\"" + EscapeQuoted(programPath) + "\" +beep"; }

void AppendEndSection(ScriptLines& lines)
{
    lines.push_back("");
    lines.push_back("::Section - End");
    lines.push_back(":ENDCOMPILATION");
    lines.push_back("exit");
}
