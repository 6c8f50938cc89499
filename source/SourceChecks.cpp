#include "source/SourceChecks.h"

#include "source/SourceScript.h"

namespace ferrowind {

bool checkSourceCompile(const SourceScriptInput& input, Prompts& prompts)
{
    if (checkMapFile(input.vmfFile, prompts) != CheckVerdict::Proceed ||
        !scriptCanBeMade([&] { makeSourceScript(input, {}); }, prompts))
        return false;

    const SourceOptions& o = input.options;
    const SourcePaths& p = input.paths;
    return confirmStageTools(
               {{o.runBsp, p.bspTool, "BSP"}, {o.runVis, p.visTool, "VIS"}, {o.runRad, p.radTool, "RAD"}}, prompts) &&
        confirmFolder(p.bspOut, "BSP output folder is not found! (Please select correct path)", prompts) &&
        confirmFolder(p.bin, "\"Bin\" folder is not found! (Please select correct path)", prompts);
}

} // namespace ferrowind
