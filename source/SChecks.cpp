#include "source/SChecks.h"

#include "goldsource/GsChecks.h"
#include "platform/Paths.h"

bool S_Init(const TFerrowindSettings& settings, const SPageState& page, const std::vector<std::string>& scriptPaths, Prompts& prompts)
{
    if (CheckMapFile(page.vmfEdit, prompts) != CheckVerdict::Proceed || !ScriptPathsAreSafe(scriptPaths, prompts))
        return false;

    const struct {
        bool selected;
        const std::string& tool;
        const char* name;
    } stages[] = {
        {page.runBsp, settings.SBspTool, "BSP"},
        {page.runVis, settings.SVisTool, "VIS"},
        {page.runRad, settings.SRadTool, "RAD"},
    };
    for (const auto& stage : stages)
        if (stage.selected && !FileExists(stage.tool) && !ContinueDespite(prompts, std::string(stage.name) + " compiler initialization error! (Please select correct path)"))
            return false;
    if (!FolderExists(settings.SBspOut) && !ContinueDespite(prompts, "BSP output folder is not found! (Please select correct path)"))
        return false;
    if (!FolderExists(settings.SBin) && !ContinueDespite(prompts, "\"Bin\" folder is not found! (Please select correct path)"))
        return false;
    return true;
}
