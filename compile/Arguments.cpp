#include "compile/Arguments.h"

#include "base/Text.h"
#include "presets/PresetFolder.h"

#include <cstdlib>

namespace ferrowind {

namespace {
// A year: beyond it the limit is no limit, and the clock arithmetic stays far from overflow.
constexpr double kLongestStageTimeout = 365.0 * 24 * 3600;
} // namespace

const char* const kCompileUsage =
    "usage: ferrowind-compile <map.map|room.vmf> [-preset NAME] [--config FILE] [--keep-script FILE]\n"
    "                         [--stage-timeout SECONDS] [--report FILE]\n"
    "\n"
    "Compiles a Half-Life map (.map) or a Half-Life 2 map (.vmf) without a window, with the tools,\n"
    "folders and presets of Ferrowind's configuration, and prints a line as each stage starts (with\n"
    "the time left, once the map has been compiled before), a table of the stages' exit codes and\n"
    "times at the end, and a report of what the tools' output says: the problems found with what\n"
    "they mean and what to do, the leak, the fullest limits and where the .bsp was copied.\n"
    "\n"
    "  -preset NAME        apply the map's engine's preset NAME\n"
    "  --config FILE       read this configuration instead of the working folders' Configurations.ini\n"
    "  --keep-script FILE  also write the generated script to FILE (never the map, the preset or the\n"
    "                      configuration)\n"
    "  --stage-timeout SECONDS\n"
    "                      end a stage's tool, and everything it started, after SECONDS; the stage fails\n"
    "  --report FILE       also write the report to FILE as JSON (never the map, the preset or the\n"
    "                      configuration)\n"
    "  --help              show this text\n"
    "  --version           show the version\n"
    "\n"
    "Nothing waits for a person: the pause at the end is skipped, prompts get no answer, and shutting\n"
    "the computer down, starting the game, the completion sound and opening the log are skipped.\n"
    "No program runs but the stages' tools, whatever a preset's parameters say; a parameter field with\n"
    "& | < > or ^ outside quotes is refused. Ending ferrowind-compile ends the running tool with it.\n"
    "\n"
    "Exit codes:\n"
    "  0  the compile is done\n"
    "  1  a stage failed (the line before the table names it and its exit code), or its output shows\n"
    "     that it failed although it exited with 0 (the line names it and says why)\n"
    "  2  bad arguments or configuration (a missing tool, folder, map or preset), or a report that\n"
    "     could not be written after a compile that went well\n"
    "  3  the .bsp could not be copied to the output folder\n";

ParsedArguments parseCompileArguments(const std::vector<std::string>& arguments)
{
    ParsedArguments parsed;
    CompileArguments& result = parsed.arguments;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        const auto value = [&](std::string& target) {
            if (i + 1 >= arguments.size()) {
                parsed.problem = word + " needs a value";
                return;
            }
            target = arguments[++i];
        };
        if (base::equalsIgnoringCase(word, "--help") || base::equalsIgnoringCase(word, "-h")) {
            result.help = true;
        } else if (base::equalsIgnoringCase(word, "-preset")) {
            std::string name;
            value(name);
            result.preset = name;
            if (parsed.problem.empty() && !isPresetName(name))
                parsed.problem = "-preset takes a preset's name, not a path: " + name;
        } else if (base::equalsIgnoringCase(word, "--config")) {
            value(result.configFile);
        } else if (base::equalsIgnoringCase(word, "--keep-script")) {
            value(result.keepScript);
        } else if (base::equalsIgnoringCase(word, "--report")) {
            value(result.reportFile);
        } else if (base::equalsIgnoringCase(word, "--stage-timeout")) {
            std::string seconds;
            value(seconds);
            char* end = nullptr;
            result.stageTimeout = std::strtod(seconds.c_str(), &end);
            if (parsed.problem.empty() &&
                (seconds.empty() || *end != '\0' || !(result.stageTimeout > 0) ||
                    result.stageTimeout > kLongestStageTimeout))
                parsed.problem = "--stage-timeout takes a number of seconds above 0: " + seconds;
        } else if (word.size() > 1 && word.front() == '-') {
            parsed.problem = "unknown option " + word;
        } else if (!result.mapFile.empty()) {
            parsed.problem = "one map at a time: " + result.mapFile + " and " + word;
        } else {
            result.mapFile = word;
        }
        if (!parsed.problem.empty())
            return parsed;
    }
    if (result.mapFile.empty() && !result.help)
        parsed.problem = "no map given";
    return parsed;
}

} // namespace ferrowind
