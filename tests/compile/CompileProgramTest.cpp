// Runs ferrowind-compile as a build server would, with stub tools in a scratch folder, and with the real Half-Life
// compile tools when they are at hand.
#include "config/Configuration.h"
#include "goldsource/GoldSourceOptions.h"
#include "presets/PresetFile.h"
#include "support/BoundedRun.h"
#include "support/CompileTools.h"
#include "support/SpecialFiles.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <thread>

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
    EXPECT_THAT(out, HasSubstr("  RAD "));

    // The stage times are kept in the working folder: the next compile of the map knows how long is left.
    EXPECT_TRUE(fs::exists(dir_.path("bin/Ferrowind/Temp/StageTimes.txt")));
    const Compiled again = compile("box.map");
    EXPECT_THAT(again.output, HasSubstr("ferrowind-compile: CSG started ("));
    EXPECT_THAT(again.output, HasSubstr(" left by the last compile)\n"));
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
    // A preset file the path would reach, outside the preset folder.
    fs::create_directories(dir_.path("bin/Ferrowind/GSPresets"));
    savePreset(dir_.path("bin/x.gsp"), goldSourceFields(), GoldSourceOptions{});
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"", "ferrowind-compile: no map given\n"},
        {"box.map --bogus", "unknown option --bogus"},
        {"notes.txt", "is neither a Half-Life map (.map) nor a Half-Life 2 map (.vmf)"},
        {"gone.map", "ferrowind-compile: Map is not selected, please select map file...\n"},
        {"box.map -preset Nope", "ferrowind-compile: no preset Nope"},
        {"box.map -preset ../../x", "-preset takes a preset's name, not a path: ../../x"},
        {"box.map --stage-timeout 0", "--stage-timeout takes a number of seconds above 0: 0"},
        {"box.map", "ferrowind-compile: VIS compiler initialization error! (Please select correct path)\n"},
    };
    for (const auto& request : cases) {
        const Compiled compiled = compile(request.arguments);
        EXPECT_EQ(compiled.exitCode, 2) << request.arguments << '\n' << compiled.output;
        EXPECT_THAT(compiled.output, HasSubstr(request.message)) << request.arguments;
    }
    EXPECT_THAT(ran(), testing::IsEmpty());

    // Nobody answers a question, so every problem is printed before the compile is refused.
    fs::remove(dir_.path("tools/hlrad"));
    const Compiled twoProblems = compile("box.map");
    EXPECT_EQ(twoProblems.exitCode, 2);
    EXPECT_THAT(twoProblems.output,
        HasSubstr("ferrowind-compile: VIS compiler initialization error! (Please select correct path)\n"
                  "ferrowind-compile: RAD compiler initialization error! (Please select correct path)\n"));
    const Compiled help = compile("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_THAT(help.output, HasSubstr("Exit codes:\n  0  the compile is done\n"));
}

// What a preset says cannot make the unattended program run anything but the stages' tools: a command
// character outside quotes is refused with the field named, and a variable that expands to one runs nothing.
TEST_F(CompileProgramTest, PresetsRunNothingButTheStageTools)
{
    fs::create_symlink(BATCHRUN_STUB_TOOL, dir_.path("tools/canary"));
    fs::create_directories(dir_.path("bin/Ferrowind/GSPresets"));
    const std::pair<std::string GoldSourceOptions::*, std::string> refused[] = {
        {&GoldSourceOptions::csgParams, "-x & canary"},
        {&GoldSourceOptions::radParams, "-x \"a & b\" | canary"},
        {&GoldSourceOptions::gameParams, "+map x ^& canary"},
        {&GoldSourceOptions::visParams, "-x > out.txt"},
    };
    for (const auto& [field, value] : refused) {
        GoldSourceOptions options;
        options.*field = value;
        savePreset(dir_.path("bin/Ferrowind/GSPresets/Evil.gsp"), goldSourceFields(), options);
        const Compiled compiled = compile("box.map -preset Evil");
        EXPECT_EQ(compiled.exitCode, 2) << value << '\n' << compiled.output;
        EXPECT_THAT(compiled.output, HasSubstr("ferrowind-compile: preset Evil, parameter field [P] ")) << value;
        EXPECT_THAT(compiled.output, HasSubstr("outside quotes would run another command")) << value;
    }
    EXPECT_THAT(ran(), testing::IsEmpty());

    // Expanded when the line runs, past any check of the text: the game and the canary. (A power-off from a
    // line is tried in-process, where nothing can power off: UnattendedHostTest.)
    GoldSourceOptions options;
    options.visParams = "%EVIL%";
    options.shutdown = true;
    savePreset(dir_.path("bin/Ferrowind/GSPresets/Evil.gsp"), goldSourceFields(), options);
    const std::string evil = "EVIL='-x & " + dir_.path("tools/hl") + " +map box & canary'";
    const Compiled compiled =
        compile("box.map -preset Evil", "< /dev/null", "maps", evil + " PATH=" + dir_.path("tools"));
    EXPECT_EQ(compiled.exitCode, 1) << compiled.output;
    EXPECT_THAT(ran(), ElementsAre("hlcsg", "hlbsp", "hlvis -x"));
    EXPECT_THAT(compiled.output, HasSubstr("runs only the tool of the stage"));
}

// The kept script never replaces what the compile reads, however its path is spelled.
TEST_F(CompileProgramTest, TheKeptScriptIsNeverTheMapThePresetOrTheConfiguration)
{
    fs::create_directories(dir_.path("bin/Ferrowind/GSPresets"));
    savePreset(dir_.path("bin/Ferrowind/GSPresets/Fast.gsp"), goldSourceFields(), GoldSourceOptions{});
    fs::create_symlink(dir_.path("maps/box.map"), dir_.path("link.map"));
    fs::create_hard_link(dir_.path("Configurations.ini"), dir_.path("hard.ini"));
    const std::string preset = readText(dir_.path("bin/Ferrowind/GSPresets/Fast.gsp"));
    const std::string configuration = readText(dir_.path("Configurations.ini"));
    for (const std::string& kept : {std::string("box.map"), std::string("../maps/./box.map"), dir_.path("link.map"),
             dir_.path("Configurations.ini"), dir_.path("hard.ini"), dir_.path("bin/Ferrowind/GSPresets/Fast.gsp")}) {
        const Compiled compiled = compile("box.map -preset Fast --keep-script " + quoted(kept));
        EXPECT_EQ(compiled.exitCode, 2) << kept << '\n' << compiled.output;
        EXPECT_THAT(compiled.output, HasSubstr(", which the compile reads;")) << kept;
    }
    EXPECT_EQ(readText(dir_.path("maps/box.map")), "map");
    EXPECT_EQ(readText(dir_.path("Configurations.ini")), configuration);
    EXPECT_EQ(readText(dir_.path("bin/Ferrowind/GSPresets/Fast.gsp")), preset);
    EXPECT_THAT(ran(), testing::IsEmpty());
}

// The script's copy has no error branch of its own; a .bsp that never reached the output folder is no success.
TEST_F(CompileProgramTest, AFailedCopyToTheOutputFolderIsAFailure)
{
    fs::create_directories(dir_.path("out/box.bsp")); // a folder where the copy would go
    const Compiled compiled = compile("box.map");
    EXPECT_EQ(compiled.exitCode, 3) << compiled.output;
    EXPECT_THAT(compiled.output, HasSubstr("box.bsp could not be copied to " + dir_.path("out") + "/box.bsp\n"));
}

// The JSON report goes only where a regular file may go, and never over what the compile reads; what can be
// told before the compile is refused before it.
TEST_F(CompileProgramTest, TheJsonReportIsWrittenOnlyWhereAFileMayGo)
{
    const Compiled written = compile("box.map --report ../report.json");
    EXPECT_EQ(written.exitCode, 0) << written.output;
    const nlohmann::json report = nlohmann::json::parse(readText(dir_.path("report.json")));
    EXPECT_EQ(report["map"], dir_.path("maps/box.map"));
    EXPECT_EQ(report["failed"], false);
    ASSERT_EQ(report["stages"].size(), 4u);
    EXPECT_EQ(report["stages"][3]["name"], "RAD");
    EXPECT_EQ(report["copiedBsp"], dir_.path("out") + "/box.bsp");
    ASSERT_THAT(ran(), ElementsAre("hlcsg", "hlbsp", "hlvis", "hlrad"));
    fs::remove(dir_.path("record.txt"));

    std::vector<std::pair<std::string, std::string>> refused{
        {"box.map", ", which the compile reads;"}, {dir_.path("Configurations.ini"), ", which the compile reads;"}};
    for (const SpecialFile& special : makeSpecialFiles(dir_))
        refused.emplace_back(special.path, special.reason);
    for (const auto& [path, message] : refused) {
        const Compiled compiled = compile("box.map --report " + quoted(path));
        EXPECT_EQ(compiled.exitCode, 2) << path << '\n' << compiled.output;
        EXPECT_THAT(compiled.output, HasSubstr(message)) << path;
    }
    const Compiled onTheScript = compile("box.map --keep-script ../same.txt --report " + quoted(dir_.path("same.txt")));
    EXPECT_EQ(onTheScript.exitCode, 2) << onTheScript.output;
    EXPECT_THAT(onTheScript.output, HasSubstr("is the kept script ../same.txt; write it to another file"));
    EXPECT_THAT(ran(), testing::IsEmpty());
    EXPECT_EQ(readText(dir_.path("maps/box.map")), "map");

    // Found only when it is written: the compile's own result comes first, and the report's failure is told.
    fs::create_directories(dir_.path("locked"));
    dir_.write("locked/report.json", "old");
    fs::permissions(dir_.path("locked/report.json"), fs::perms::owner_read);
    fs::permissions(dir_.path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    for (const std::string& path : {dir_.path("locked/report.json"), dir_.path("missing/report.json")}) {
        const Compiled compiled = compile("box.map --report " + quoted(path));
        EXPECT_EQ(compiled.exitCode, 2) << path << '\n' << compiled.output;
        EXPECT_THAT(compiled.output, HasSubstr("ferrowind-compile: the report was not written: Unable to write to "))
            << path;
    }
    fs::permissions(dir_.path("locked"), fs::perms::owner_all);
    EXPECT_EQ(readText(dir_.path("locked/report.json")), "old");
    std::ofstream(dir_.path("control.txt")) << "hlvis 3\n";
    EXPECT_EQ(compile("box.map --report " + quoted(dir_.path("missing/report.json"))).exitCode, 1);
}

// Tools that print a failure and exit with 0 exist; the stage fails all the same, and the run says why.
TEST_F(CompileProgramTest, AStageWhoseOutputShowsAFailureFailsThoughItsToolSaidZero)
{
    fs::remove(dir_.path("tools/hlbsp"));
    std::ofstream(dir_.path("tools/hlbsp")) << "#!/bin/sh\n"
                                               "echo 'Warning: === LEAK in hull 0 ==='\n"
                                               "echo 'Entity info_player_start @ (  64   0  36)'\n"
                                               "exit 0\n";
    fs::permissions(dir_.path("tools/hlbsp"), fs::perms::owner_all);
    const Compiled compiled = compile("box.map --report ../report.json");
    EXPECT_EQ(compiled.exitCode, 1) << compiled.output;
    EXPECT_THAT(ran(), ElementsAre("hlcsg"));
    EXPECT_THAT(compiled.output,
        HasSubstr("ferrowind-compile: BSP failed: its tool exited with 0, but its output "
                  "shows the map leaks: info_player_start"));
    EXPECT_THAT(compiled.output, Not(HasSubstr("VIS started")));
    EXPECT_THAT(compiled.output, HasSubstr(dir_.path("maps/box.pts")));
    const nlohmann::json report = nlohmann::json::parse(readText(dir_.path("report.json")));
    EXPECT_EQ(report["failed"], true);
    ASSERT_EQ(report["stages"].size(), 2u);
    EXPECT_EQ(report["stages"][1]["exitCode"], 0);
    EXPECT_EQ(report["stages"][1]["failed"], true);
    EXPECT_EQ(report["stages"][1]["leak"]["pointFile"], dir_.path("maps/box.pts"));
}

// A tool that never ends, and that started a helper of its own.
class EndlessToolTest : public CompileProgramTest {
protected:
    void SetUp() override
    {
        CompileProgramTest::SetUp();
        fs::remove(dir_.path("tools/hlcsg"));
        std::ofstream(dir_.path("tools/hlcsg"))
            << "#!/bin/sh\necho $$ >> '" << dir_.path("pids.txt") << "'\nsleep 1000 &\necho $! >> '"
            << dir_.path("pids.txt") << "'\nwait\n";
        fs::permissions(dir_.path("tools/hlcsg"), fs::perms::owner_all);
    }

    std::vector<int> toolProcesses() const
    {
        std::vector<int> pids;
        std::istringstream lines(readText(dir_.path("pids.txt")));
        for (int pid = 0; lines >> pid;)
            pids.push_back(pid);
        return pids;
    }

    // Gone, or a zombie nobody has collected yet.
    static bool ended(int pid)
    {
        const std::string stat = readText("/proc/" + std::to_string(pid) + "/stat");
        const size_t close = stat.rfind(')');
        return stat.empty() || (close != std::string::npos && stat.substr(close + 2, 1) == "Z");
    }

    static bool eventually(const std::function<bool()>& condition)
    {
        for (int i = 0; i < 500 && !condition(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return condition();
    }
};

TEST_F(EndlessToolTest, TheStageLimitEndsTheToolAndWhatItStarted)
{
    const Compiled compiled = compile("box.map --stage-timeout 0.5");
    EXPECT_EQ(compiled.exitCode, 1) << compiled.output;
    EXPECT_THAT(compiled.output, HasSubstr("ferrowind-compile: CSG ran longer than the stage limit of 0.5 s"));
    EXPECT_THAT(compiled.output,
        HasSubstr("ferrowind-compile: CSG failed with exit code 1: did not end within 0.5 s and was stopped\n"));
    const std::vector<int> pids = toolProcesses();
    ASSERT_EQ(pids.size(), 2u);
    for (int pid : pids)
        EXPECT_TRUE(eventually([pid] { return ended(pid); })) << pid;
}

TEST_F(EndlessToolTest, EndingTheProgramEndsTheToolAndWhatItStarted)
{
    const std::string command = "cd " + quoted(dir_.path("maps")) + " && { " +
        quoted(dir_.path("bin/ferrowind-compile")) + " box.map --config " + quoted(dir_.path("Configurations.ini")) +
        " < /dev/null > /dev/null 2>&1 & echo $! > " + quoted(dir_.path("compile.pid")) + "; }";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(eventually([this] { return toolProcesses().size() == 2; }));
    const int compilePid = std::stoi(readText(dir_.path("compile.pid")));
    ASSERT_EQ(kill(compilePid, SIGTERM), 0);
    EXPECT_TRUE(eventually([compilePid] { return ended(compilePid); }));
    for (int pid : toolProcesses())
        EXPECT_TRUE(eventually([pid] { return ended(pid); })) << pid;
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
    EXPECT_NE(out.find("ferrowind-compile: BSP failed with exit code 1: the map leaks"), std::string::npos) << out;
    EXPECT_EQ(out.find("VIS started"), std::string::npos) << out;
    EXPECT_TRUE(fs::exists(dir_.path("maps/leak.pts")));
    EXPECT_TRUE(fs::is_empty(dir_.path("out")));
}

namespace {

// The titles a console would show, in order.
std::vector<std::string> titlesIn(const std::string& output)
{
    static const std::regex title("\x1b\\]0;([^\a]*)\a");
    std::vector<std::string> titles;
    for (auto match = std::sregex_iterator(output.begin(), output.end(), title); match != std::sregex_iterator();
         ++match)
        titles.push_back((*match)[1]);
    return titles;
}

// The map with a floor of 1600 small crates in worldspawn: enough work for the tools to count their progress over
// a second or two, so that a console sees it change.
std::string withCrates(std::string map)
{
    std::string crates;
    const auto face = [&](int a[3], int b[3], int c[3], const char* axes) {
        char line[160];
        std::snprintf(line, sizeof line, "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) BOXWALL %s 0 1 1\n", a[0], a[1], a[2],
            b[0], b[1], b[2], c[0], c[1], c[2], axes);
        crates += line;
    };
    for (int i = 0; i < 40; ++i) {
        for (int j = 0; j < 40; ++j) {
            const int x0 = -240 + 12 * i, x1 = x0 + 8, y0 = -240 + 12 * j, y1 = y0 + 8, z0 = 0, z1 = 8;
            int p[][3] = {{x0, 0, 0}, {x0, 64, 0}, {x0, 0, 64}, {x1, 0, 0}, {x1, 0, 64}, {x1, 64, 0}, {0, y0, 0},
                {0, y0, 64}, {64, y0, 0}, {0, y1, 0}, {64, y1, 0}, {0, y1, 64}, {0, 0, z0}, {64, 0, z0}, {0, 64, z0},
                {0, 0, z1}, {0, 64, z1}, {64, 0, z1}};
            crates += "{\n";
            for (int f = 0; f < 6; ++f)
                face(p[3 * f], p[3 * f + 1], p[3 * f + 2],
                    f < 2       ? "[ 0 1 0 0 ] [ 0 0 -1 0 ]"
                        : f < 4 ? "[ 1 0 0 0 ] [ 0 0 -1 0 ]"
                                : "[ 1 0 0 0 ] [ 0 -1 0 0 ]");
            crates += "}\n";
        }
    }
    const size_t keys = map.find("\n{\n(");
    map.insert(keys + 1, crates);
    return map;
}

// "Map: [leak] Stage: [1/4] - CSG - 45%" gives 45; nothing without a percentage.
std::optional<int> percentIn(const std::string& title)
{
    static const std::regex percent(" - ([0-9]+)%");
    std::smatch match;
    if (!std::regex_search(title, match, percent))
        return std::nullopt;
    return std::stoi(match[1]);
}

} // namespace

// The leaking box room, crowded, compiled as the desktop would: the script runs in ferrowind-cmd in a terminal (a
// pseudo-terminal stands in for it), and the answer "4" leaves the error menu.
TEST_F(RealToolsTest, ALeakIsReportedInTheConsoleBeforeTheErrorMenuAndInTheJsonReport)
{
    dir_.write("maps/leak.map", withCrates(leakingBoxRoomMap("boxroom.wad")));
    fs::copy_file(boxRoomFixture("boxroom.wad"), dir_.path("wads/boxroom.wad"));
    writeConfiguration(dir_.path("Configurations.ini"), configuration_);
    // BSP stops at the leak and fails: without -leakonly it goes on for long, or crashes by chance.
    GoldSourceOptions options;
    options.bspParams = "-leakonly";
    options.radParams = kQuickRadParams;
    options.runGame = false;
    savePreset(dir_.path("bin/Ferrowind/GSPresets/Leaks.gsp"), goldSourceFields(), options);
    const Compiled compiled =
        compile("-preset Leaks leak.map --keep-script ../leak.bat --report ../r.json", "< /dev/null", "maps");
    const std::string pointFile = dir_.path("maps/leak.pts");
    EXPECT_EQ(compiled.exitCode, 1) << compiled.output;
    EXPECT_THAT(compiled.output, HasSubstr("ferrowind-compile: BSP failed"));
    EXPECT_THAT(compiled.output, HasSubstr(pointFile));
    const nlohmann::json report = nlohmann::json::parse(readText(dir_.path("r.json")));
    EXPECT_EQ(report["failed"], true);
    ASSERT_GE(report["stages"].size(), 2u) << report.dump(2);
    EXPECT_EQ(report["stages"][1]["name"], "BSP");
    EXPECT_EQ(report["stages"][1]["leak"]["pointFile"], pointFile) << report.dump(2);
    EXPECT_TRUE(fs::exists(pointFile));

    fs::remove(pointFile);
    dir_.write("answers.txt", "4\n");
    base::ProgramStart start{"/bin/sh",
        {"sh", "-c",
            "cd " + quoted(dir_.path("maps")) + " && exec " + quoted(FERROWIND_CMD) + " ../leak.bat < ../answers.txt"},
        {}, {}, {}};
    std::string console;
    start.output = [&console](std::string_view chunk) { console += chunk; };
    const testsupport::BoundedRun run = testsupport::runBounded(start, limit_);
    ASSERT_EQ(run.failure, "");
    const size_t menu = console.find("ERROR ERROR ERROR");
    const size_t lastTool = console.rfind("-----   END   sdHL", menu);
    ASSERT_NE(menu, std::string::npos) << console;
    ASSERT_NE(lastTool, std::string::npos) << console;
    const std::string between = console.substr(lastTool, menu - lastTool);
    EXPECT_THAT(between, HasSubstr("the map leaks")) << console;
    EXPECT_THAT(between, HasSubstr(pointFile)) << console;
    EXPECT_TRUE(fs::exists(pointFile));
    EXPECT_EQ(console.find("Compile report", menu), std::string::npos) << "one report, before the menu";

    // The script's own titles, with the stage's percentage after them as a tool counts.
    const std::vector<std::string> titles = titlesIn(console);
    std::vector<std::string> scriptTitles;
    bool increased = false;
    std::optional<int> last;
    for (const std::string& title : titles) {
        const std::optional<int> percent = percentIn(title);
        if (!percent) {
            scriptTitles.push_back(title);
            last.reset();
            continue;
        }
        ASSERT_FALSE(scriptTitles.empty());
        EXPECT_EQ(title.rfind(scriptTitles.back() + " - ", 0), 0u) << title;
        increased = increased || (last && *percent > *last);
        last = percent;
    }
    EXPECT_TRUE(increased) << testing::PrintToString(titles);
    EXPECT_THAT(
        scriptTitles, testing::IsSupersetOf({"Map: [leak] Stage: [1/4] - CSG", "Map: [leak] Stage: [2/4] - BSP"}));
}
