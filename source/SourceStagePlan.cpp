#include "source/SourceStagePlan.h"

namespace ferrowind {

StagePlan sourceStagePlan(const SourceScriptInput& input)
{
    const SourceOptions& o = input.options;
    const SourcePaths& p = input.paths;
    return {
        {"BSP", o.runBsp, p.bspTool, o.bspParams},
        {"VIS", o.runVis, p.visTool, o.visParams},
        {"RAD", o.runRad, p.radTool, o.radParams},
    };
}

} // namespace ferrowind
