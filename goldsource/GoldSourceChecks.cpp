#include "goldsource/GoldSourceChecks.h"

#include "goldsource/GoldSourceScript.h"

namespace ferrowind {

Findings checkGoldSourceCompile(const GoldSourceScriptInput& input)
{
    if (auto refusal = mapFileFinding(input.mapFile))
        return {*refusal};
    if (auto refusal = unsafePathFinding(goldSourceScriptPaths(input)))
        return {*refusal};

    const GoldSourceOptions& o = input.options;
    const GoldSourcePaths& p = input.paths;
    Findings findings;
    addStageToolFindings({{o.runCsg, p.csgTool, "CSG"}, {o.runBsp, p.bspTool, "BSP"}, {o.runVis, p.visTool, "VIS"},
                             {o.runRad, p.radTool, "RAD"}},
        findings);
    addFolderFinding(p.wadRoot, "Wad root is not found! (Please select correct path)", findings);
    addFolderFinding(p.bspOut, "BSP output folder is not found! (Please select correct path)", findings);
    return findings;
}

} // namespace ferrowind
