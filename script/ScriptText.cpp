#include "script/ScriptText.h"

#include "base/Paths.h"
#include "base/Text.h"

#include <algorithm>

namespace ferrowind {

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

int selectedStageCount(const StagePlan& stages)
{
    return static_cast<int>(std::count_if(stages.begin(), stages.end(), [](const PlannedStage& s) { return s.run; }));
}

Piece flagSign(bool flag) { return flag ? Piece("+") : Piece("-"); }

void appendBeginSection(ScriptWriter& script, std::string_view consoleColor)
{
    script.line("@echo off");
    script.line({"color ", Piece::colour(consoleColor)});
    script.line("");
    script.line("::Section - Begin");
    script.line(":BEGINCOMPILATION");
    script.line("cls");
}

void appendStartTitle(ScriptWriter& script, const StagePlan& stages)
{
    script.line({"title Map: [%MAPNAME%] Stage: [0/", Piece::number(selectedStageCount(stages)), "]"});
}

void appendVersionLine(ScriptWriter& script, std::string_view version, const ScriptOrigin& origin)
{
    script.line({"echo Ferrowind v", Piece::text(version), " (", Piece::text(origin.contact), ")"});
}

void appendSummaryLine(ScriptWriter& script, Piece name, bool run, std::string_view params)
{
    script.line({"echo ", name, "(", flagSign(run), ") ", Piece::shownParameters(params)});
}

void appendStageSummary(ScriptWriter& script, const StagePlan& stages)
{
    for (const PlannedStage& stage : stages)
        appendSummaryLine(script, Piece::word(stage.name), stage.run, stage.parameters);
}

void appendStampAndClose(ScriptWriter& script, const ScriptOrigin& origin)
{
    script.line({"echo File created: ", Piece::text(origin.date), " at: ", Piece::text(origin.time)});
    script.line(kRuleLine);
    script.line("echo.");
}

void appendStageBlocks(ScriptWriter& script, const StagePlan& stages, Piece mapArgument, ScriptSections& sections)
{
    const int count = selectedStageCount(stages);
    int number = 0;
    for (const PlannedStage& stage : stages) {
        if (!stage.run)
            continue;
        sections.stages.push_back({script.nextLine(), stage.name});
        script.line({"::Run ", Piece::word(stage.name, true)});
        script.line({"title Map: [%MAPNAME%] Stage: [", Piece::number(++number), "/", Piece::number(count), "] - ",
            Piece::word(stage.name)});
        script.line({Piece::quotedPath(stage.tool), " ", mapArgument, " ", Piece::parameters(stage.parameters)});
        switch (stage.onFailure) {
        case OnFailure::ErrorSection: script.line("if ERRORLEVEL 1 goto ERRORCOMPILATION"); break;
        }
    }
    sections.afterStages = script.nextLine();
    script.line("::After compilation");
}

void appendIfMapFileExists(ScriptWriter& script, Piece extension, Piece action, Piece after)
{
    script.line({"if exist \"%MAPPATH%", extension, "\" ", action, " \"%MAPPATH%", extension, "\"", after});
}

void appendOpenLog(ScriptWriter& script) { appendIfMapFileExists(script, ".log", "start \"\" %LOGVIEW%"); }

void appendBeep(ScriptWriter& script, std::string_view programPath)
{
    script.line({Piece::quotedPath(programPath), " +beep"});
}

void appendGame(ScriptWriter& script, std::string_view gameExe, std::string_view gameParams)
{
    script.line({Piece::quotedPath(gameExe), " ", Piece::parameters(gameParams)});
}

void appendShutdown(ScriptWriter& script)
{
    script.line("shutdown /s /f");
    script.line("exit");
}

void appendBanner(ScriptWriter& script, Piece messageLine)
{
    script.line(kRuleLine);
    script.line(messageLine);
    script.line(kRuleLine);
}

void appendPauseOrEnd(ScriptWriter& script, bool pause, Piece setCommand, Piece initialValue, ScriptSections& sections)
{
    if (!pause) {
        script.line("goto ENDCOMPILATION");
        return;
    }
    script.line("title Map: [%MAPNAME%] - Compilation finished");
    appendBanner(script, "echo   Compilation finished");
    script.line("::Section - Pause");
    sections.pause = script.nextLine();
    script.line(":PAUSEITEM");
    script.line({setCommand, " ENTERRESULT=", initialValue});
    script.line("echo Enter \"1\" for exit...");
    script.line({setCommand, " /P ENTERRESULT="});
    script.line("if %ENTERRESULT%==1 exit");
    script.line("goto PAUSEITEM");
}

void appendErrorMenu(ScriptWriter& script, bool shutdown, Piece setCommand, std::initializer_list<MenuItem> items,
    ScriptSections& sections)
{
    script.line("");
    script.line("::Section - Error");
    sections.errorSection = script.nextLine();
    script.line(":ERRORCOMPILATION");
    if (shutdown)
        appendShutdown(script);
    appendBanner(script, kErrorLine);
    int number = 0;
    for (const MenuItem& item : items)
        script.line({"echo ", Piece::number(++number), ". ", item.caption});
    script.line("goto SELECTITEM");
    script.line("");
    script.line("::Section - Select");
    script.line(":SELECTITEM");
    script.line({setCommand, " SELRESULT=nil"});
    script.line("echo Select item:");
    script.line({setCommand, " /P SELRESULT="});
    number = 0;
    for (const MenuItem& item : items)
        script.line({"if %SELRESULT%==", Piece::number(++number), " ", item.action});
    script.line("goto SELECTITEM");
}

void appendEndSection(ScriptWriter& script)
{
    script.line("");
    script.line("::Section - End");
    script.line(":ENDCOMPILATION");
    script.line("exit");
}

} // namespace ferrowind
