#include "goldsource/GoldSourceStagePlan.h"

namespace ferrowind {

StagePlan goldSourceStagePlan(const GoldSourceScriptInput& input)
{
    const GoldSourceOptions& o = input.options;
    const GoldSourcePaths& p = input.paths;
    return {
        {"CSG", o.runCsg, p.csgTool, o.csgParams},
        {"BSP", o.runBsp, p.bspTool, o.bspParams},
        {"VIS", o.runVis, p.visTool, o.visParams},
        {"RAD", o.runRad, p.radTool, o.radParams},
    };
}

} // namespace ferrowind
