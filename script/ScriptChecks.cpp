#include "script/ScriptChecks.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "config/ProgramInfo.h"
#include "platform/Prompts.h"
#include "script/ScriptText.h"

namespace ferrowind {

CheckVerdict checkMapFile(const std::string& mapEdit, Prompts& prompts)
{
    const std::string mapFile = base::trim(mapEdit);
    if (!base::fileExists(mapFile)) {
        prompts.tell(kMainCaption, "Map is not selected, please select map file...", PromptIcon::Exclamation);
        return CheckVerdict::MapMissing;
    }
    if (auto problem = unsafeMapProblem(mapFile)) {
        prompts.tell(kMainCaption, *problem, PromptIcon::Exclamation);
        return CheckVerdict::Refused;
    }
    return CheckVerdict::Proceed;
}

bool scriptPathsAreSafe(const std::vector<std::string>& paths, Prompts& prompts)
{
    for (const std::string& path : paths) {
        if (auto problem = unsafePathProblem(path)) {
            prompts.tell(kMainCaption, *problem, PromptIcon::Exclamation);
            return false;
        }
    }
    return true;
}

bool continueDespite(Prompts& prompts, const std::string& problem)
{
    return prompts.confirm(kMainCaption, problem + "\r\nContinue compilation?");
}

bool confirmStageTools(std::initializer_list<StageTool> stages, Prompts& prompts)
{
    for (const StageTool& stage : stages)
        if (stage.selected && !base::fileExists(stage.tool) &&
            !continueDespite(
                prompts, std::string(stage.name) + " compiler initialization error! (Please select correct path)"))
            return false;
    return true;
}

bool confirmFolder(const std::string& folder, const std::string& problem, Prompts& prompts)
{
    return base::folderExists(folder) || continueDespite(prompts, problem);
}

} // namespace ferrowind
