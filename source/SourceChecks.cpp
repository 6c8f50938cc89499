#include "source/SourceChecks.h"

#include "source/SourceScript.h"

namespace ferrowind {

Findings checkSourceCompile(const SourceScriptInput& input)
{
    if (auto refusal = mapFileFinding(input.vmfFile)) {
        refusal->kind = FindingKind::Refusal;
        return {*refusal};
    }
    if (auto refusal = unsafePathFinding(sourceScriptPaths(input)))
        return {*refusal};

    const SourceOptions& o = input.options;
    const SourcePaths& p = input.paths;
    Findings findings;
    addStageToolFindings(
        {{o.runBsp, p.bspTool, "BSP"}, {o.runVis, p.visTool, "VIS"}, {o.runRad, p.radTool, "RAD"}}, findings);
    addFolderFinding(p.bspOut, "BSP output folder is not found! (Please select correct path)", findings);
    addFolderFinding(p.bin, "\"Bin\" folder is not found! (Please select correct path)", findings);
    return findings;
}

} // namespace ferrowind
