#include "goldsource/GoldSourceScript.h"
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

// The page's initial state with ordinary configured paths.
GoldSourceScriptInput pageDefaults()
{
    GoldSourceScriptInput in;
    in.paths = {"/hl/tools/hlcsg", "/hl/tools/hlbsp", "/hl/tools/hlvis", "/hl/tools/hlrad", "/hl/hl.exe", "/hl/wads",
        "/hl/valve/maps"};
    in.mapFile = "/maps/box.map";
    in.programPath = "/opt/ferrowind/ferrowind";
    return in;
}

// Stub tools and folders under the placeholder root the end-to-end tests replace.
GoldSourceScriptInput runnable(const std::string& mapFolder)
{
    GoldSourceScriptInput in;
    in.paths = {"@ROOT@/tools/hlcsg", "@ROOT@/tools/hlbsp", "@ROOT@/tools/hlvis", "@ROOT@/tools/hlrad",
        "@ROOT@/tools/hl", "@ROOT@/wads", "@ROOT@/out/"};
    in.mapFile = "@ROOT@/" + mapFolder + "/box.map";
    in.programPath = "@ROOT@/tools/ferrowind";
    return in;
}

struct GoldenCase {
    const char* file;
    std::function<GoldSourceScriptInput()> input;
    const ScriptOrigin& origin = kOrigin;
};

const GoldenCase kCases[] = {
    {"goldsource_defaults.bat", pageDefaults},
    {"goldsource_every_flag.bat",
        [] {
            GoldSourceScriptInput in = pageDefaults();
            GoldSourceOptions& o = in.options;
            o.csgParams = "-wadinclude mywad";
            o.bspParams = "-chart";
            o.visParams = "-full";
            o.radParams = "-extra -bounce 4";
            o.gameParams = "+map %MAPNAME% -dev";
            in.consoleColor = "1E";
            in.logViewer = "/usr/bin/gedit";
            for (bool* flag :
                {&o.deleteP0, &o.deleteP1, &o.deleteP2, &o.deleteP3, &o.deletePrt, &o.deleteWic, &o.deleteLin,
                    &o.deletePts, &o.deleteLog, &o.copyPts, &o.notCopyBsp, &o.openLog, &o.pause, &o.beep, &o.shutdown})
                *flag = true;
            return in;
        }},
    // Stages are numbered among the selected ones only.
    {"goldsource_vis_rad_only.bat",
        [] {
            GoldSourceScriptInput in = pageDefaults();
            in.options.runCsg = in.options.runBsp = false;
            in.options.csgParams = "-nowadtextures";
            return in;
        }},
    {"goldsource_no_stage.bat",
        [] {
            GoldSourceScriptInput in = pageDefaults();
            in.options.runCsg = in.options.runBsp = in.options.runVis = in.options.runRad = false;
            return in;
        }},
    // The .pts file is copied before it is deleted; the .bsp is not copied.
    {"goldsource_copy_pts.bat",
        [] {
            GoldSourceScriptInput in = pageDefaults();
            in.options.copyPts = in.options.deletePts = in.options.notCopyBsp = true;
            return in;
        }},
    // Shutdown ends both the success and the error path; the game line after it is never reached.
    {"goldsource_shutdown_game.bat",
        [] {
            GoldSourceScriptInput in = pageDefaults();
            in.options.shutdown = true;
            return in;
        }},
    // Configured paths and the map are escaped for where they stand; parameter fields are the user's own text.
    {"goldsource_escaped_paths.bat",
        [] {
            GoldSourceScriptInput in = pageDefaults();
            in.mapFile = "/tmp/R&D 50%/box.map";
            in.paths.wadRoot = "/w&d 100%";
            in.paths.bspOut = "/out|x>y";
            in.paths.csgTool = "/t 5%/hl&csg";
            in.paths.gameExe = "/g%/hl";
            in.logViewer = "/v%/<view>";
            in.programPath = "/p 1%/ferrowind";
            in.options.beep = true;
            in.options.csgParams = "-x %MAPNAME% & echo";
            in.options.gameParams = "+map %MAPNAME% | more";
            return in;
        }},
    {"goldsource_caret_folder.bat",
        [] {
            GoldSourceScriptInput in = pageDefaults();
            in.mapFile = "/a^b<c>d/50%box.map";
            return in;
        }},
    {"goldsource_compile.bat",
        [] {
            GoldSourceScriptInput in = runnable("maps");
            GoldSourceOptions& o = in.options;
            o.csgParams = "-wadinclude halflife";
            o.visParams = "-full";
            o.radParams = "-extra -bounce 4";
            o.gameParams = "+map %MAPNAME% ";
            o.deleteP0 = o.deleteP1 = o.deleteP2 = o.deleteP3 = o.deletePrt = true;
            o.beep = o.openLog = o.pause = true;
            in.consoleColor = "0A";
            return in;
        },
        kRunOrigin},
    {"goldsource_shutdown.bat",
        [] {
            GoldSourceScriptInput in = runnable("maps");
            GoldSourceOptions& o = in.options;
            o.runCsg = o.runVis = o.runRad = false;
            o.deleteLog = o.shutdown = true;
            return in;
        },
        kRunOrigin},
    {"goldsource_escaping.bat",
        [] {
            GoldSourceScriptInput in = runnable("maps & 100%");
            GoldSourceOptions& o = in.options;
            o.csgParams = "-wadinclude halflife";
            o.gameParams = "+map %MAPNAME% ";
            o.deleteP0 = o.openLog = o.beep = o.pause = true;
            return in;
        },
        kRunOrigin},
    // Parameters of stages that do not run, printed in the summary: printed, never run.
    {"goldsource_summary_params.bat",
        [] {
            GoldSourceScriptInput in = runnable("maps");
            GoldSourceOptions& o = in.options;
            o.runCsg = o.runVis = o.runRad = o.runGame = false;
            o.csgParams = "-estimate & canary";
            o.visParams = "-fast | canary > x.txt";
            o.radParams = "-x \"a & b\" && canary < in.txt";
            o.gameParams = "+map %MAPNAME% ^& canary";
            return in;
        },
        kRunOrigin},
};

class GoldSourceScriptTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldSourceScriptTest, MatchesGoldenFile)
{
    const ScriptLines lines = makeGoldSourceScript(GetParam().input(), GetParam().origin);
    expectGolden(GetParam().file, asWritten(lines));
}

TEST_P(GoldSourceScriptTest, SectionsPointAtTheirLabels)
{
    ScriptSections sections;
    const ScriptLines lines = makeGoldSourceScript(GetParam().input(), GetParam().origin, &sections);
    expectSectionsAtTheirLabels(lines, sections);
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldSourceScriptTest, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.file;
    return name.substr(0, name.find('.'));
});

} // namespace
