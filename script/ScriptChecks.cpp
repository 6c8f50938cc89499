#include "script/ScriptChecks.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "config/ProgramInfo.h"
#include "platform/Prompts.h"
#include "script/ScriptWriter.h"

namespace ferrowind {

CheckVerdict checkMapFile(const std::string& mapEdit, Prompts& prompts)
{
    const std::string mapFile = base::trim(mapEdit);
    if (!base::fileExists(mapFile)) {
        prompts.tell(kMainCaption, "Map is not selected, please select map file...", PromptIcon::Exclamation);
        return CheckVerdict::MapMissing;
    }
    return CheckVerdict::Proceed;
}

bool scriptCanBeMade(const std::function<void()>& generate, Prompts& prompts)
{
    const std::optional<std::string> refusal = refusalOf(generate);
    if (refusal)
        prompts.tell(kMainCaption, *refusal, PromptIcon::Exclamation);
    return !refusal;
}

bool continueDespite(Prompts& prompts, const std::string& problem)
{
    return prompts.confirm(kMainCaption, problem + "\r\nContinue compilation?");
}

bool confirmStageTools(const StagePlan& stages, Prompts& prompts)
{
    for (const PlannedStage& stage : stages)
        if (stage.run && !base::fileExists(stage.tool) &&
            !continueDespite(prompts, stage.name + " compiler initialization error! (Please select correct path)"))
            return false;
    return true;
}

bool confirmFolder(const std::string& folder, const std::string& problem, Prompts& prompts)
{
    return base::folderExists(folder) || continueDespite(prompts, problem);
}

} // namespace ferrowind
