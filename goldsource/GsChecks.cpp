#include "goldsource/GsChecks.h"

#include "app/ProgramInfo.h"
#include "goldsource/ScriptText.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/Text.h"

bool ContinueDespite(Prompts& prompts, const std::string& problem)
{
    return prompts.Confirm(kMainCaption, problem + "\r\nContinue compilation?");
}

bool ScriptPathsAreSafe(const std::vector<std::string>& paths, Prompts& prompts)
{
    for (const std::string& path : paths) {
        if (auto problem = UnsafePathProblem(path)) {
            prompts.Tell(kMainCaption, *problem, PromptIcon::Exclamation);
            return false;
        }
    }
    return true;
}

CheckVerdict CheckMapFile(const std::string& mapEdit, Prompts& prompts)
{
    const std::string mapFile = Trim(mapEdit);
    if (!FileExists(mapFile)) {
        prompts.Tell(kMainCaption, "Map is not selected, please select map file...", PromptIcon::Exclamation);
        return CheckVerdict::MapMissing;
    }
    if (auto problem = UnsafeMapProblem(mapFile)) {
        prompts.Tell(kMainCaption, *problem, PromptIcon::Exclamation);
        return CheckVerdict::Refused;
    }
    return CheckVerdict::Proceed;
}

CheckVerdict GS_Init(const TFerrowindSettings& settings, const GsPageState& page, const std::vector<std::string>& scriptPaths, Prompts& prompts)
{
    if (const CheckVerdict map = CheckMapFile(page.mapEdit, prompts); map != CheckVerdict::Proceed)
        return map;
    if (!ScriptPathsAreSafe(scriptPaths, prompts))
        return CheckVerdict::Refused;

    const struct {
        bool selected;
        const std::string& tool;
        const char* name;
    } stages[] = {
        {page.runCsg, settings.GSCsgTool, "CSG"},
        {page.runBsp, settings.GSBspTool, "BSP"},
        {page.runVis, settings.GSVisTool, "VIS"},
        {page.runRad, settings.GSRadTool, "RAD"},
    };
    for (const auto& stage : stages)
        if (stage.selected && !FileExists(stage.tool) && !ContinueDespite(prompts, std::string(stage.name) + " compiler initialization error! (Please select correct path)"))
            return CheckVerdict::Refused;
    if (!FolderExists(settings.GSWadRoot) && !ContinueDespite(prompts, "Wad root is not found! (Please select correct path)"))
        return CheckVerdict::Refused;
    if (!FolderExists(settings.GSBspOut) && !ContinueDespite(prompts, "BSP output folder is not found! (Please select correct path)"))
        return CheckVerdict::Refused;
    return CheckVerdict::Proceed;
}
