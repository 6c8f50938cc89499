#include "goldsource/GoldSourceScriptInput.h"

#include "config/ConsoleColor.h"
#include "config/ProgramInfo.h"

namespace ferrowind {

GoldSourceScriptInput goldSourceScriptInput(const GoldSourceOptions& options, const std::string& mapFile,
    const Configuration& configuration, const std::string& programPath)
{
    return {options, mapFile, configuration.goldSource,
        consoleColorCode(configuration.backColor, configuration.textColor), kProgramVersion,
        scriptLogViewer(configuration), programPath};
}

} // namespace ferrowind
