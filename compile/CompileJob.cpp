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

// What an unattended compile needs of one engine; its stage plan is what the script runs and the host follows.
template <class Options, class Input> struct Engine {
    PresetFolder (*presetFolder)(const WorkingFolders&);
    const OptionFields<Options>& (*fields)();
    Input (*scriptInput)(const Options&, const std::string&, const Configuration&, const std::string&);
    Findings (*check)(const Input&);
    ScriptLines (*makeScript)(const Input&, const ScriptOrigin&, ScriptSections*);
    StagePlan (*stagePlan)(const Input&);
};

const Engine<GoldSourceOptions, GoldSourceScriptInput> goldSource{goldSourcePresetFolder, goldSourceFields,
    goldSourceScriptInput, checkGoldSourceCompile, makeGoldSourceScript, goldSourceStagePlan};
const Engine<SourceOptions, SourceScriptInput> source{
    sourcePresetFolder, sourceFields, sourceScriptInput, checkSourceCompile, makeSourceScript, sourceStagePlan};

template <class Options, class Input>
std::optional<PreparedCompile> prepareWith(const Engine<Options, Input>& engine, const std::string& mapFile,
    const CompileArguments& arguments, const CompileSetup& setup, const ScriptOrigin& origin, std::ostream& errors)
{
    const PresetFolder folder = engine.presetFolder(setup.folders);
    const std::optional<Options> options = presetOptions(arguments.preset, folder, engine.fields(), errors);
    if (!options)
        return std::nullopt;
    const Input input = engine.scriptInput(*options, mapFile, setup.configuration, setup.programPath);
    if (!goesOnUnattended(engine.check(input), errors))
        return std::nullopt;
    PreparedCompile prepared;
    prepared.script = engine.makeScript(input, origin, &prepared.sections);
    prepared.plan = engine.stagePlan(input);
    prepared.bspFile = mapPathBaseOf(mapFile) + ".bsp";
    if (!options->notCopyBsp)
        prepared.bspCopy = base::withTrailingSeparator(input.paths.bspOut) + mapNameOf(mapFile) + ".bsp";
    prepared.inputs.push_back(mapFile);
    if (arguments.preset)
        prepared.inputs.push_back(folder.pathOf(*arguments.preset));
    return prepared;
}

} // namespace

std::optional<PreparedCompile> prepareCompile(
    const CompileArguments& arguments, const CompileSetup& setup, const ScriptOrigin& origin, std::ostream& errors)
{
    const std::string extension = base::toLowerAscii(base::extensionOf(arguments.mapFile));
    const std::string mapFile = absoluteMapPath(arguments.mapFile);
    if (extension == ".map")
        return prepareWith(goldSource, mapFile, arguments, setup, origin, errors);
    if (extension == ".vmf")
        return prepareWith(source, mapFile, arguments, setup, origin, errors);
    errors << "ferrowind-compile: " << arguments.mapFile << " is neither a Half-Life map (.map) nor a Half-Life 2 "
           << "map (.vmf)\n";
    return std::nullopt;
}

} // namespace ferrowind
