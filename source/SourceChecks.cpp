#include "source/SourceChecks.h"

#include "source/SourceScript.h"
#include "source/SourceStagePlan.h"

namespace ferrowind {

bool checkSourceCompile(const SourceScriptInput& input, Prompts& prompts)
{
    if (checkMapFile(input.vmfFile, prompts) != CheckVerdict::Proceed ||
        !scriptCanBeMade([&] { makeSourceScript(input, {}); }, prompts))
        return false;

    const SourcePaths& p = input.paths;
    return confirmStageTools(sourceStagePlan(input), prompts) &&
        confirmFolder(p.bspOut, "BSP output folder is not found! (Please select correct path)", prompts) &&
        confirmFolder(p.bin, "\"Bin\" folder is not found! (Please select correct path)", prompts);
}

} // namespace ferrowind
