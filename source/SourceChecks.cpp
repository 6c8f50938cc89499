#include "source/SourceChecks.h"

#include "source/SourceScript.h"
#include "source/SourceStagePlan.h"

namespace ferrowind {

Findings checkSourceCompile(const SourceScriptInput& input)
{
    if (auto refusal = mapFileFinding(input.vmfFile)) {
        refusal->kind = FindingKind::Refusal;
        return {*refusal};
    }
    if (auto refusal = refusalFinding([&] { makeSourceScript(input, {}); }))
        return {*refusal};

    const SourcePaths& p = input.paths;
    Findings findings;
    addStageToolFindings(sourceStagePlan(input), findings);
    addFolderFinding(p.bspOut, "BSP output folder is not found! (Please select correct path)", findings);
    addFolderFinding(p.bin, "\"Bin\" folder is not found! (Please select correct path)", findings);
    return findings;
}

} // namespace ferrowind
