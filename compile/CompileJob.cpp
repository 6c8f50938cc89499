#include "compile/CompileJob.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "goldsource/GoldSourceChecks.h"
#include "goldsource/GoldSourceScript.h"
#include "goldsource/GoldSourceStagePlan.h"
#include "presets/PresetFile.h"
#include "presets/PresetFolder.h"
#include "script/ScriptWriter.h"
#include "source/SourceChecks.h"
#include "source/SourceScript.h"
#include "source/SourceStagePlan.h"

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
    if (!options) {
        errors << "ferrowind-compile: no preset " << *name << " (" << folder.pathOf(*name) << ")\n";
        return std::nullopt;
    }
    // The page's user may join commands in a parameter field; a preset run unattended may not.
    for (const TextField<Options>& field : fields.texts) {
        if (const auto character = commandCharacterOutsideQuotes((*options).*field.member)) {
            errors << "ferrowind-compile: preset " << *name << ", parameter field [" << field.section << "] "
                   << field.key << ": \"" << *character
                   << "\" outside quotes would run another command; ferrowind-compile runs none\n";
            return std::nullopt;
        }
    }
    return options;
}

std::string absoluteMapPath(const std::string& mapFile)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(mapFile, error);
    return error ? mapFile : absolute.lexically_normal().string();
}

} // namespace

std::optional<PreparedCompile> prepareCompile(
    const CompileArguments& arguments, const CompileSetup& setup, const ScriptOrigin& origin, std::ostream& errors)
{
    const std::string extension = base::toLowerAscii(base::extensionOf(arguments.mapFile));
    const std::string mapFile = absoluteMapPath(arguments.mapFile);
    PreparedCompile prepared;
    prepared.inputs.push_back(mapFile);
    const auto copyOf = [&](const std::string& bspOut, bool notCopied) {
        prepared.bspFile = mapPathBaseOf(mapFile) + ".bsp";
        if (!notCopied)
            prepared.bspCopy = base::withTrailingSeparator(bspOut) + mapNameOf(mapFile) + ".bsp";
    };
    if (extension == ".map") {
        const PresetFolder folder = goldSourcePresetFolder(setup.folders);
        const auto options = presetOptions(arguments.preset, folder, goldSourceFields(), errors);
        if (!options)
            return std::nullopt;
        const GoldSourceScriptInput input =
            goldSourceScriptInput(*options, mapFile, setup.configuration, setup.programPath);
        if (!goesOnUnattended(checkGoldSourceCompile(input), errors))
            return std::nullopt;
        prepared.script = makeGoldSourceScript(input, origin, &prepared.sections);
        prepared.plan = goldSourceStagePlan(input);
        copyOf(input.paths.bspOut, options->notCopyBsp);
        if (arguments.preset)
            prepared.inputs.push_back(folder.pathOf(*arguments.preset));
        return prepared;
    }
    if (extension == ".vmf") {
        const PresetFolder folder = sourcePresetFolder(setup.folders);
        const auto options = presetOptions(arguments.preset, folder, sourceFields(), errors);
        if (!options)
            return std::nullopt;
        const SourceScriptInput input = sourceScriptInput(*options, mapFile, setup.configuration, setup.programPath);
        if (!goesOnUnattended(checkSourceCompile(input), errors))
            return std::nullopt;
        prepared.script = makeSourceScript(input, origin, &prepared.sections);
        prepared.plan = sourceStagePlan(input);
        copyOf(input.paths.bspOut, options->notCopyBsp);
        if (arguments.preset)
            prepared.inputs.push_back(folder.pathOf(*arguments.preset));
        return prepared;
    }
    errors << "ferrowind-compile: " << arguments.mapFile << " is neither a Half-Life map (.map) nor a Half-Life 2 "
           << "map (.vmf)\n";
    return std::nullopt;
}

} // namespace ferrowind
