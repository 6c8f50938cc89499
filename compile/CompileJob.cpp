#include "compile/CompileJob.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "goldsource/GoldSourceChecks.h"
#include "goldsource/GoldSourceScript.h"
#include "presets/PresetFile.h"
#include "presets/PresetFolder.h"
#include "source/SourceChecks.h"
#include "source/SourceScript.h"

#include <filesystem>

namespace ferrowind {

namespace {

// Nobody is there to answer: every finding is printed, and the compile goes on only when none refuses and every
// question would go on by default.
bool goesOnUnattended(const Findings& findings, std::ostream& errors)
{
    bool goOn = true;
    for (const Finding& finding : findings) {
        errors << "ferrowind-compile: " << finding.text << '\n';
        goOn = goOn && finding.kind == FindingKind::Question && finding.goOnByDefault;
    }
    return goOn;
}

template <class Options>
std::optional<Options> presetOptions(const std::optional<std::string>& name, const PresetFolder& folder,
    const OptionFields<Options>& fields, std::ostream& errors)
{
    if (!name)
        return Options{};
    const std::optional<Options> options = loadPreset(folder.pathOf(*name), fields);
    if (!options)
        errors << "ferrowind-compile: no preset " << *name << " (" << folder.pathOf(*name) << ")\n";
    return options;
}

std::string absoluteMapPath(const std::string& mapFile)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(mapFile, error);
    return error ? mapFile : absolute.lexically_normal().string();
}

} // namespace

std::optional<ScriptLines> prepareCompile(
    const CompileArguments& arguments, const CompileSetup& setup, const ScriptOrigin& origin, std::ostream& errors)
{
    const std::string extension = base::toLowerAscii(base::extensionOf(arguments.mapFile));
    const std::string mapFile = absoluteMapPath(arguments.mapFile);
    if (extension == ".map") {
        const auto options =
            presetOptions(arguments.preset, goldSourcePresetFolder(setup.folders), goldSourceFields(), errors);
        if (!options)
            return std::nullopt;
        const GoldSourceScriptInput input =
            goldSourceScriptInput(*options, mapFile, setup.configuration, setup.programPath);
        if (!goesOnUnattended(checkGoldSourceCompile(input), errors))
            return std::nullopt;
        return makeGoldSourceScript(input, origin);
    }
    if (extension == ".vmf") {
        const auto options = presetOptions(arguments.preset, sourcePresetFolder(setup.folders), sourceFields(), errors);
        if (!options)
            return std::nullopt;
        const SourceScriptInput input = sourceScriptInput(*options, mapFile, setup.configuration, setup.programPath);
        if (!goesOnUnattended(checkSourceCompile(input), errors))
            return std::nullopt;
        return makeSourceScript(input, origin);
    }
    errors << "ferrowind-compile: " << arguments.mapFile << " is neither a Half-Life map (.map) nor a Half-Life 2 "
           << "map (.vmf)\n";
    return std::nullopt;
}

} // namespace ferrowind
