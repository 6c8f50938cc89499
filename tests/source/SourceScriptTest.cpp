#include "source/SourceScript.h"
#include "base/Text.h"
#include "support/Golden.h"
#include "support/ScriptSections.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace ferrowind;

namespace {

const ScriptOrigin kOrigin{"30.03.2013", "12:34:56", "ferrowind@mailbox.org"};
// The end-to-end scripts that ferrowind-cmd runs with stub tools under @ROOT@.
const ScriptOrigin kRunOrigin{"01.02.2027", "10:11:12", "maintainer@example.org"};

// The page's initial state (three stages and the game) with ordinary configured paths.
SourceScriptInput pageDefaults()
{
    SourceScriptInput in;
    in.paths = {"/hl2/bin/bsp", "/hl2/bin/vis", "/hl2/bin/rad", "/hl2/game", "/hl2/game/maps", "/hl2/bin"};
    in.vmfFile = "/maps/box.vmf";
    in.programPath = "/opt/ferrowind/ferrowind";
    return in;
}

// Stub tools and folders under the placeholder root the end-to-end tests replace.
SourceScriptInput runnable(const std::string& mapFolder)
{
    SourceScriptInput in;
    in.paths = {
        "@ROOT@/tools/vbsp", "@ROOT@/tools/vvis", "@ROOT@/tools/vrad", "@ROOT@/tools/hl2", "@ROOT@/out/", "@ROOT@/bin"};
    in.vmfFile = "@ROOT@/" + mapFolder + "/box.vmf";
    in.programPath = "@ROOT@/tools/ferrowind";
    return in;
}

struct GoldenCase {
    const char* file;
    std::function<SourceScriptInput()> input;
    const ScriptOrigin& origin = kOrigin;
};

const GoldenCase kCases[] = {
    {"source_defaults.bat", pageDefaults},
    {"source_every_flag.bat",
        [] {
            SourceScriptInput in = pageDefaults();
            SourceOptions& o = in.options;
            o.bspParams = "-onlyents";
            o.visParams = "-fast";
            o.radParams = "-bounce 4 -final";
            o.gameParams = "+map %MAPNAME% -dev";
            in.logViewer = "/usr/bin/viewer";
            for (bool* flag : {&o.deleteLog, &o.notCopyBsp, &o.openLog, &o.pause, &o.beep, &o.shutdown})
                *flag = true;
            return in;
        }},
    {"source_no_stage.bat",
        [] {
            SourceScriptInput in = pageDefaults();
            in.options.runBsp = in.options.runVis = in.options.runRad = false;
            return in;
        }},
    // Stages are numbered among the selected ones only.
    {"source_vis_rad_only.bat",
        [] {
            SourceScriptInput in = pageDefaults();
            in.options.runBsp = false;
            in.options.bspParams = "-onlyents";
            return in;
        }},
    {"source_without_game.bat",
        [] {
            SourceScriptInput in = pageDefaults();
            in.options.runGame = false;
            return in;
        }},
    // Shutdown ends both the success and the error path, with or without a pause.
    {"source_shutdown_game.bat",
        [] {
            SourceScriptInput in = pageDefaults();
            in.options.shutdown = true;
            return in;
        }},
    // The map name loses every occurrence of its extension, in any letter case.
    {"source_blanks_and_extensions.bat",
        [] {
            SourceScriptInput in = pageDefaults();
            in.vmfFile = "/my maps/box 1.VMFb.vmf";
            in.consoleColor = "0A";
            in.logViewer = "/usr/bin/log viewer";
            return in;
        }},
    // Configured paths and the map are escaped for where they stand; parameter fields are the user's own text.
    {"source_escaped_paths.bat",
        [] {
            SourceScriptInput in = pageDefaults();
            in.vmfFile = "/R&D 50%/<x>^y/box.vmf";
            in.paths.bin = "/bin 5%&co";
            in.paths.bspOut = "/out|x>y";
            in.paths.bspTool = "/t 5%/bsp&";
            in.options.bspParams = "-x %MAPNAME% & echo";
            return in;
        }},
    {"source_compile.bat",
        [] {
            SourceScriptInput in = runnable("maps");
            SourceOptions& o = in.options;
            o.visParams = "-fast";
            o.radParams = "-both -final";
            o.gameParams = "-game cstrike +map %MAPNAME% ";
            o.runGame = false;
            o.deleteLog = o.pause = true;
            in.consoleColor = "1F";
            return in;
        },
        kRunOrigin},
    {"source_escaping.bat",
        [] {
            SourceScriptInput in = runnable("maps & 100%");
            SourceOptions& o = in.options;
            o.visParams = "-fast";
            o.runGame = false;
            o.deleteLog = o.pause = true;
            in.consoleColor = "0A";
            return in;
        },
        kRunOrigin},
    // Parameters of stages that do not run, printed in the summary: printed, never run.
    {"source_summary_params.bat",
        [] {
            SourceScriptInput in = runnable("maps");
            SourceOptions& o = in.options;
            o.runVis = o.runRad = o.runGame = false;
            o.visParams = "-fast & canary";
            o.radParams = "-x \"a | b\" || canary > x.txt";
            o.gameParams = "+map %MAPNAME% < in.txt & canary";
            return in;
        },
        kRunOrigin},
};

class SourceScriptTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(SourceScriptTest, MatchesGoldenFile)
{
    const ScriptLines lines = makeSourceScript(GetParam().input(), GetParam().origin);
    expectGolden(GetParam().file, asWritten(lines));
}

TEST_P(SourceScriptTest, SectionsPointAtTheirLabels)
{
    ScriptSections sections;
    const ScriptLines lines = makeSourceScript(GetParam().input(), GetParam().origin, &sections);
    expectSectionsAtTheirLabels(lines, sections);
}

INSTANTIATE_TEST_SUITE_P(Golden, SourceScriptTest, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.file;
    return name.substr(0, name.find('.'));
});

} // namespace
