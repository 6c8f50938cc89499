#include "goldsource/GoldSourceChecks.h"

#include "goldsource/GoldSourceScript.h"
#include "goldsource/GoldSourceStagePlan.h"

namespace ferrowind {

CheckVerdict checkGoldSourceCompile(const GoldSourceScriptInput& input, Prompts& prompts)
{
    if (const CheckVerdict map = checkMapFile(input.mapFile, prompts); map != CheckVerdict::Proceed)
        return map;
    if (!scriptCanBeMade([&] { makeGoldSourceScript(input, {}); }, prompts))
        return CheckVerdict::Refused;

    const GoldSourcePaths& p = input.paths;
    const bool proceed = confirmStageTools(goldSourceStagePlan(input), prompts) &&
        confirmFolder(p.wadRoot, "Wad root is not found! (Please select correct path)", prompts) &&
        confirmFolder(p.bspOut, "BSP output folder is not found! (Please select correct path)", prompts);
    return proceed ? CheckVerdict::Proceed : CheckVerdict::Refused;
}

} // namespace ferrowind
