#include "goldsource/GoldSourceChecks.h"

#include "goldsource/GoldSourceScript.h"
#include "goldsource/GoldSourceStagePlan.h"

namespace ferrowind {

Findings checkGoldSourceCompile(const GoldSourceScriptInput& input)
{
    if (auto refusal = mapFileFinding(input.mapFile))
        return {*refusal};
    if (auto refusal = refusalFinding([&] { makeGoldSourceScript(input, {}); }))
        return {*refusal};

    const GoldSourcePaths& p = input.paths;
    Findings findings;
    addStageToolFindings(goldSourceStagePlan(input), findings);
    addFolderFinding(p.wadRoot, "Wad root is not found! (Please select correct path)", findings);
    addFolderFinding(p.bspOut, "BSP output folder is not found! (Please select correct path)", findings);
    return findings;
}

} // namespace ferrowind
