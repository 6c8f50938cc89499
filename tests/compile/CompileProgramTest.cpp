// Runs ferrowind-compile as a build server would, with stub tools in a scratch folder, and with the real Half-Life
// compile tools when they are at hand.
#include "config/Configuration.h"
#include "goldsource/GoldSourceOptions.h"
#include "presets/PresetFile.h"
#include "support/BoundedRun.h"
#include "support/CompileTools.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace ferrowind;

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace fs = std::filesystem;

namespace {

std::string readText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

struct Compiled {
    int exitCode = -1;
    std::string output;
};

} // namespace

class CompileProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A copy of the program, so that its working folders (and presets) lie in the scratch folder.
        fs::create_directories(dir_.path("bin"));
        fs::copy_file(FERROWIND_COMPILE, dir_.path("bin/ferrowind-compile"));
        fs::create_symlink(BATCHRUN_STUB_TOOL, dir_.path("bin/ferrowind"));
        fs::create_directories(dir_.path("tools"));
        for (const char* tool : {"hlcsg", "hlbsp", "hlvis", "hlrad", "hl", "vbsp", "vvis", "vrad", "hl2"})
            fs::create_symlink(BATCHRUN_STUB_TOOL, dir_.path("tools/") + tool);
        for (const char* folder : {"wads", "out", "sdk"})
            fs::create_directories(dir_.path(folder));
        dir_.write("maps/box.map", "map");
        dir_.write("maps/room.vmf", "vmf");
        const std::string tools = dir_.path("tools/");
        configuration_.goldSource = {tools + "hlcsg", tools + "hlbsp", tools + "hlvis", tools + "hlrad", tools + "hl",
            dir_.path("wads"), dir_.path("out") + "/"};
        configuration_.source = {
            tools + "vbsp", tools + "vvis", tools + "vrad", tools + "hl2", dir_.path("out") + "/", dir_.path("sdk")};
        writeConfiguration(dir_.path("Configurations.ini"), configuration_);
    }

    // Runs the program from `folder` with `arguments` (already quoted) and standard input from `input`.
    Compiled compile(const std::string& arguments, const std::string& input = "< /dev/null",
        const std::string& folder = "maps", const std::string& environment = "")
    {
        const std::string command = "cd " + quoted(dir_.path(folder)) +
            " && STUB_RECORD=" + quoted(dir_.path("record.txt")) + " STUB_CONTROL=" + quoted(dir_.path("control.txt")) +
            " STUB_OUTPUTS=.bsp " + environment + " " + quoted(dir_.path("bin/ferrowind-compile")) + " " + arguments +
            " --config " + quoted(dir_.path("Configurations.ini")) + " " + input + " > " +
            quoted(dir_.path("output.txt")) + " 2>&1";
        const testsupport::BoundedRun run = testsupport::runShellBounded(command, limit_);
        EXPECT_EQ(run.failure, "");
        return {run.exitCode, readText(dir_.path("output.txt"))};
    }

    // The programs that ran, in order, with their arguments after the name.
    std::vector<std::string> ran() const
    {
        std::vector<std::string> programs;
        std::istringstream lines(readText(dir_.path("record.txt")));
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            std::string name;
            std::string folder;
            std::string argument;
            std::getline(fields, name, '\t');
            std::getline(fields, folder, '\t');
            std::getline(fields, argument, '\t'); // the map
            std::string rest;
            std::getline(fields, rest);
            programs.push_back(rest.empty() ? name : name + " " + rest);
        }
        return programs;
    }

    TempFolder dir_;
    Configuration configuration_;
    std::chrono::seconds limit_ = testsupport::kStubLimit;
};

TEST_F(CompileProgramTest, SuccessPrintsEachStageAndTheTable)
{
    const Compiled compiled = compile("box.map --keep-script ../kept.bat");
    EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
    EXPECT_THAT(ran(), ElementsAre("hlcsg", "hlbsp", "hlvis", "hlrad"));
    const std::string& out = compiled.output;
    size_t at = 0;
    for (const char* stage : {"CSG", "BSP", "VIS", "RAD"}) {
        const size_t line = out.find(std::string("ferrowind-compile: ") + stage + " started\n");
        ASSERT_NE(line, std::string::npos) << stage << '\n' << out;
        EXPECT_GT(line, at);
        at = line;
    }
    EXPECT_THAT(out, HasSubstr("skipped (unattended): starting " + configuration_.goldSource.gameExe));
    EXPECT_THAT(out, HasSubstr("stage    exit code    wall time\n"));
    for (const char* stage : {"\nCSG              0 ", "\nRAD              0 ", "\ntotal    "})
        EXPECT_THAT(out, HasSubstr(stage));
    EXPECT_TRUE(fs::exists(dir_.path("out/box.bsp")));
    EXPECT_THAT(readText(dir_.path("kept.bat")), HasSubstr("::Run vis\r\n"));
}

// Closed standard input: a script that reached a prompt would end there rather than wait, but the failure
// ends it before the menu.
TEST_F(CompileProgramTest, AFailingStageEndsTheRunNamingIt)
{
    std::ofstream(dir_.path("control.txt")) << "hlvis 3\n";
    const Compiled compiled = compile("box.map", "<&-");
    EXPECT_EQ(compiled.exitCode, 1) << compiled.output;
    EXPECT_THAT(ran(), ElementsAre("hlcsg", "hlbsp", "hlvis"));
    EXPECT_THAT(compiled.output, HasSubstr("ferrowind-compile: VIS failed with exit code 3\n"));
    EXPECT_THAT(compiled.output, HasSubstr("\nVIS              3 "));
    EXPECT_THAT(compiled.output, Not(HasSubstr("Select item")));
    EXPECT_THAT(compiled.output, Not(HasSubstr("RAD started")));
}

TEST_F(CompileProgramTest, APresetsOptionsReachTheTools)
{
    GoldSourceOptions options;
    options.visParams = "-fast";
    options.radParams = "-extra";
    options.runCsg = false;
    options.pause = true;
    options.beep = true;
    fs::create_directories(dir_.path("bin/Ferrowind/GSPresets"));
    savePreset(dir_.path("bin/Ferrowind/GSPresets/Quick Look.gsp"), goldSourceFields(), options);
    const Compiled compiled = compile("-preset 'Quick Look' box.map");
    EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
    EXPECT_THAT(ran(), ElementsAre("hlbsp", "hlvis -fast", "hlrad -extra"));
    EXPECT_THAT(compiled.output, HasSubstr("skipped (unattended): starting " + dir_.path("bin/ferrowind") + " +beep"));
    EXPECT_THAT(compiled.output, HasSubstr("skipped (unattended): the pause at the end"));
}

TEST_F(CompileProgramTest, AVmfCompilesWithTheHalfLife2Script)
{
    const Compiled compiled = compile(quoted(dir_.path("maps/room.vmf")), "< /dev/null", "out");
    EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
    EXPECT_THAT(ran(), ElementsAre("vbsp", "vvis", "vrad"));
    EXPECT_THAT(compiled.output, HasSubstr("ferrowind-compile: BSP started\n"));
    EXPECT_THAT(compiled.output, Not(HasSubstr("CSG")));
}

TEST_F(CompileProgramTest, BadRequestsExitWithTwoAndRunNothing)
{
    fs::remove(dir_.path("tools/hlvis"));
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"", "ferrowind-compile: no map given\n"},
        {"box.map --bogus", "unknown option --bogus"},
        {"notes.txt", "is neither a Half-Life map (.map) nor a Half-Life 2 map (.vmf)"},
        {"gone.map", "ferrowind-compile: Map is not selected, please select map file...\n"},
        {"box.map -preset Nope", "ferrowind-compile: no preset Nope"},
        {"box.map", "ferrowind-compile: VIS compiler initialization error! (Please select correct path)\n"},
    };
    for (const auto& request : cases) {
        const Compiled compiled = compile(request.arguments);
        EXPECT_EQ(compiled.exitCode, 2) << request.arguments << '\n' << compiled.output;
        EXPECT_THAT(compiled.output, HasSubstr(request.message)) << request.arguments;
    }
    EXPECT_THAT(ran(), testing::IsEmpty());
    const Compiled help = compile("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_THAT(help.output, HasSubstr("Exit codes:\n  0  the compile is done\n"));
}

// The real tools, run from a folder that is neither the map's nor the tools': the map's WAD is found only through
// the WAD root, however the level editor wrote the "wad" key. (The Linux builds of the tools split WAD paths at
// '/' only, so keys written the Windows way, such as \\half-life\\valve\\boxroom.wad, can't be tried here.)
class RealToolsTest : public CompileProgramTest {
protected:
    void SetUp() override
    {
        if (!haveGoldSourceTools())
            GTEST_SKIP() << goldSourceToolsMissing();
        CompileProgramTest::SetUp();
        limit_ = testsupport::kToolLimit;
        const std::string tools = goldSourceToolsDir() + "/";
        configuration_.goldSource.csgTool = tools + "sdHLCSG";
        configuration_.goldSource.bspTool = tools + "sdHLBSP";
        configuration_.goldSource.visTool = tools + "sdHLVIS";
        configuration_.goldSource.radTool = tools + "sdHLRAD";
        GoldSourceOptions options;
        options.radParams = kQuickRadParams;
        options.runGame = false;
        fs::create_directories(dir_.path("bin/Ferrowind/GSPresets"));
        savePreset(dir_.path("bin/Ferrowind/GSPresets/Quick.gsp"), goldSourceFields(), options);
        fs::create_directories(dir_.path("elsewhere"));
    }

    // Compiles `map` (in maps/) with `preset` and the WAD root `wadRoot` (in the scratch folder), which holds
    // boxroom.wad at `wadAt`.
    Compiled compileWithWadRoot(const std::string& map, const std::string& wadRoot, const std::string& wadAt,
        const std::string& preset = "Quick")
    {
        fs::create_directories(fs::path(dir_.path(wadRoot + "/" + wadAt)).parent_path());
        fs::copy_file(boxRoomFixture("boxroom.wad"), dir_.path(wadRoot + "/" + wadAt));
        configuration_.goldSource.wadRoot = dir_.path(wadRoot);
        writeConfiguration(dir_.path("Configurations.ini"), configuration_);
        return compile("-preset " + preset + " " + quoted(dir_.path("maps/" + map)), "< /dev/null", "elsewhere");
    }
};

TEST_F(RealToolsTest, TheWadIsFoundThroughTheWadRoot)
{
    const struct {
        std::string wadKey;
        std::string wadRoot;
        std::string wadAt;
    } cases[] = {
        {"/home/someone/half-life/valve/boxroom.wad", "half-life", "valve/boxroom.wad"},
        {"valve/boxroom.wad", "Half Life", "valve/boxroom.wad"},
        {"boxroom.wad", "wad root & 100% ünï", "boxroom.wad"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string name = "room" + std::to_string(++n);
        dir_.write("maps/" + name + ".map", boxRoomMap(c.wadKey));
        const Compiled compiled = compileWithWadRoot(name + ".map", c.wadRoot, c.wadAt);
        EXPECT_EQ(compiled.exitCode, 0) << c.wadKey << '\n' << compiled.output;
        for (const char* stage :
            {"\nCSG              0 ", "\nBSP              0 ", "\nVIS              0 ", "\nRAD              0 "})
            EXPECT_NE(compiled.output.find(stage), std::string::npos) << c.wadKey << ": no" << stage;
        EXPECT_TRUE(fs::exists(dir_.path("out/" + name + ".bsp"))) << c.wadKey;
    }
}

// A build server's leak check: with -leakonly the shared sdHLBSP reports the leak, writes the point file beside
// the map, where level editors load it, and fails, which ends the run. (Without it, the tool ends with success or
// crashes, by chance; either way the run ends by VIS at the latest: the command-line test covers that.)
TEST_F(RealToolsTest, ALeakEndsTheRunWithThePointFileBesideTheMap)
{
    GoldSourceOptions options;
    options.bspParams = "-leakonly";
    options.runGame = false;
    savePreset(dir_.path("bin/Ferrowind/GSPresets/Leaks.gsp"), goldSourceFields(), options);
    dir_.write("maps/leak.map", leakingBoxRoomMap("boxroom.wad"));
    const Compiled compiled = compileWithWadRoot("leak.map", "wads", "boxroom.wad", "Leaks");
    EXPECT_EQ(compiled.exitCode, 1) << compiled.output;
    const std::string& out = compiled.output;
    EXPECT_NE(out.find("LEAK in hull 0"), std::string::npos) << out;
    EXPECT_NE(out.find("ferrowind-compile: BSP failed with exit code 1\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("VIS started"), std::string::npos) << out;
    EXPECT_TRUE(fs::exists(dir_.path("maps/leak.pts")));
    EXPECT_TRUE(fs::is_empty(dir_.path("out")));
}
