#include "source/SourceScriptInput.h"

#include "config/ConsoleColor.h"
#include "config/ProgramInfo.h"

namespace ferrowind {

SourceScriptInput sourceScriptInput(const SourceOptions& options, const std::string& vmfFile,
    const Configuration& configuration, const std::string& programPath)
{
    return {options, vmfFile, configuration.source, consoleColorCode(configuration.backColor, configuration.textColor),
        kProgramVersion, scriptLogViewer(configuration), programPath};
}

} // namespace ferrowind
