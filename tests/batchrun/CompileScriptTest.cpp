// Runs the compile and decompile scripts, as the generators write them, with stub tools in a scratch folder.
#include "Harness.h"

#include "batchrun/Runner.h"
#include "batchrun/Script.h"
#include "goldsource/GsScript.h"
#include "source/SScript.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace batchrun;

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace fs = std::filesystem;

class CompileScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"hlcsg", "hlbsp", "hlvis", "hlrad", "hl", "ferrowind", "vbsp", "vvis", "vrad",
                                 "BspTwoMap.exe"}) {
            fs::create_directories(Root() + "/tools");
            fs::create_symlink(BATCHRUN_STUB_TOOL, Root() + "/tools/" + tool);
        }
        scratch.Write("maps/box.map", "map");
        scratch.Write("maps/box.bsp", "old bsp");
        fs::create_directories(Root() + "/out");
        fs::create_directories(Root() + "/bin");
        session.environment.Set("STUB_RECORD", Root() + "/record.txt");
        session.environment.Set("STUB_CONTROL", Root() + "/control.txt");
        host.runForReal = true;
    }

    std::string Root() const { return scratch.Path(); }

    std::string Read(const std::string& relative) const
    {
        std::ifstream file(Root() + "/" + relative);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    // The fixture with this folder's paths and the CR LF line ends of a written script.
    ScriptRun RunFixture(const std::string& name, std::vector<std::string> answers)
    {
        std::ifstream file(std::string(FERROWIND_SOURCE_DIR) + "/tests/fixtures/batchrun/" + name);
        std::stringstream text;
        text << file.rdbuf();
        std::string script;
        for (std::string line; std::getline(text, line);) {
            for (const auto& [key, value] : {std::pair<std::string, std::string>{"@ROOT@", Root()},
                                             std::pair<std::string, std::string>{"@TOOLS@", Root() + "/tools"}}) {
                for (size_t at = line.find(key); at != std::string::npos; at = line.find(key, at + value.size()))
                    line.replace(at, key.size(), value);
            }
            script += line + "\r\n";
        }
        return RunScript(script, session, host, std::move(answers));
    }

    // Lines from a generator, written to disk as the program writes them and run from there.
    ScriptRun RunGenerated(const ScriptLines& lines, std::vector<std::string> answers)
    {
        const std::string path = Root() + "/Compile.bat";
        WriteScriptLines(path, lines);
        return RunScript(Read("Compile.bat"), session, host, std::move(answers));
    }

    void Outputs(const std::string& suffixes) { session.environment.Set("STUB_OUTPUTS", suffixes); }
    void Fails(const std::string& tool) { std::ofstream(Root() + "/control.txt", std::ios::app) << tool << " 1\n"; }

    // Each started tool: name, working folder, arguments.
    std::vector<std::vector<std::string>> Records() const
    {
        std::vector<std::vector<std::string>> records;
        std::ifstream file(Root() + "/record.txt");
        for (std::string line; std::getline(file, line);) {
            std::vector<std::string> fields;
            std::istringstream parts(line);
            for (std::string field; std::getline(parts, field, '\t');)
                fields.push_back(field);
            records.push_back(fields);
        }
        return records;
    }

    std::vector<std::string> ToolsRun() const
    {
        std::vector<std::string> names;
        for (const auto& record : Records())
            names.push_back(record.front());
        return names;
    }

    ScratchFolder scratch;
    Session session = TestSession(scratch.Path());
    RecordingHost host;
};

TEST_F(CompileScriptTest, HalfLifeSuccessCopiesTheBspDeletesByProductsAndEndsOnOne)
{
    Outputs(".bsp .p0 .p1 .p2 .p3 .prt .pts");
    const ScriptRun run = RunFixture("goldsource_compile.bat", {"1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(ToolsRun(), ElementsAre("hlcsg", "hlbsp", "hlvis", "hlrad", "ferrowind", "hl"));
    const auto records = Records();
    const std::string map = Root() + "/maps/box.map";
    EXPECT_THAT(records[0], ElementsAre("hlcsg", Root(), map, "-wadinclude", "halflife"));
    EXPECT_THAT(records[1], ElementsAre("hlbsp", Root(), map));
    EXPECT_THAT(records[3], ElementsAre("hlrad", Root(), map, "-extra", "-bounce", "4"));
    EXPECT_THAT(records[4], ElementsAre("ferrowind", Root(), "+beep"));
    EXPECT_THAT(records[5], ElementsAre("hl", Root(), "+map", "box"));
    EXPECT_EQ(Read("out/box.bsp"), Read("maps/box.bsp"));
    EXPECT_THAT(Read("out/box.bsp"), ::testing::EndsWith("hlrad\n"));
    for (const char* gone : {"p0", "p1", "p2", "p3", "prt"})
        EXPECT_FALSE(scratch.Has(std::string("maps/box.") + gone)) << gone;
    EXPECT_TRUE(scratch.Has("maps/box.pts"));
    EXPECT_THAT(host.opened, ElementsAre(Root() + "/maps/box.log"));
    EXPECT_THAT(run.out, HasSubstr("Compilation finished"));
    EXPECT_THAT(run.out, Not(HasSubstr("ERROR")));
    EXPECT_EQ(run.err, "");
}

TEST_F(CompileScriptTest, HalfLifeFailureShowsTheMenuAndRestartsUntilExit)
{
    Outputs(".bsp");
    Fails("hlbsp");
    Fails("hlvis");
    const ScriptRun run = RunFixture("goldsource_compile.bat", {"2", "3", "4"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(ToolsRun(), ElementsAre("hlcsg", "hlbsp", "hlcsg", "hlbsp", "hlvis"));
    EXPECT_THAT(host.opened, ElementsAre(Root() + "/maps/box.err"));
    EXPECT_EQ(Count(run.out, "ERROR ERROR ERROR ERROR ERROR ERROR"), 2u);
    EXPECT_EQ(Count(run.out, "Select item:"), 3u);
    EXPECT_FALSE(scratch.Has("out/box.bsp"));
    EXPECT_THAT(run.out, Not(HasSubstr("Compilation finished")));
}

TEST_F(CompileScriptTest, HalfLifePauseLoopEndsOnlyOnOne)
{
    const ScriptRun run = RunFixture("goldsource_compile.bat", {"", "2", "nil", "1"});
    EXPECT_EQ(Count(run.out, "Enter \"1\" for exit..."), 4u);
    EXPECT_EQ(run.err, "");
    // An empty answer sets the error level, and `exit` keeps it, as in the interpreter.
    EXPECT_EQ(run.exitCode, 1);
}

TEST_F(CompileScriptTest, EndOfInputEndsThePauseLoopAndTheMenu)
{
    const ScriptRun paused = RunFixture("goldsource_compile.bat", {""});
    EXPECT_EQ(paused.exitCode, 1);
    EXPECT_EQ(Count(paused.out, "Enter \"1\" for exit..."), 2u);
    EXPECT_THAT(paused.err, HasSubstr("end of input"));

    Fails("hlcsg");
    const ScriptRun failed = RunFixture("goldsource_compile.bat", {});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(Count(failed.out, "Select item:"), 1u);
}

TEST_F(CompileScriptTest, HalfLifeShutdownPowersOffInsteadOfStartingTheGame)
{
    Outputs(".bsp");
    const ScriptRun run = RunFixture("goldsource_shutdown.bat", {});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(host.powerOffs, 1);
    EXPECT_THAT(ToolsRun(), ElementsAre("hlbsp"));
    EXPECT_TRUE(scratch.Has("out/box.bsp"));
    EXPECT_FALSE(scratch.Has("maps/box.log"));

    Fails("hlbsp");
    const ScriptRun failed = RunFixture("goldsource_shutdown.bat", {});
    EXPECT_EQ(host.powerOffs, 2);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_THAT(failed.out, Not(HasSubstr("Select item:")));
}

TEST_F(CompileScriptTest, HalfLife2RunsTheToolsInTheBinFolder)
{
    Outputs(".bsp");
    const ScriptRun run = RunFixture("source_compile.bat", {"1"});
    EXPECT_EQ(run.exitCode, 0);
    const std::string bin = Root() + "/bin";
    const std::string map = Root() + "/maps/box";
    EXPECT_THAT(Records(), ElementsAre(ElementsAre("vbsp", bin, map), ElementsAre("vvis", bin, map, "-fast"),
                                       ElementsAre("vrad", bin, map, "-both", "-final")));
    EXPECT_TRUE(scratch.Has("out/box.bsp"));
    EXPECT_FALSE(scratch.Has("maps/box.log"));
    EXPECT_TRUE(host.opened.empty());
}

TEST_F(CompileScriptTest, HalfLife2MenuOpensTheLogRestartsAndExits)
{
    Outputs(".bsp");
    Fails("vrad");
    const ScriptRun restarted = RunFixture("source_compile.bat", {"1", "2", "0", "1"});
    EXPECT_EQ(restarted.exitCode, 0);
    EXPECT_THAT(ToolsRun(), ElementsAre("vbsp", "vvis", "vrad", "vbsp", "vvis", "vrad"));
    EXPECT_THAT(host.opened, ElementsAre(Root() + "/maps/box.log"));
    EXPECT_EQ(Count(restarted.out, "Enter \"1\" for exit..."), 2u);

    Fails("vbsp");
    const ScriptRun exited = RunFixture("source_compile.bat", {"3"});
    EXPECT_EQ(exited.exitCode, 1);
    EXPECT_EQ(ToolsRun().size(), 7u);
}

TEST_F(CompileScriptTest, DecompileCopiesTheResultsAndTidiesUp)
{
    Outputs(".map _btm.wad");
    const ScriptRun run = RunFixture("decompile.bat", {});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(Records(), ElementsAre(ElementsAre("BspTwoMap.exe", Root(), Root() + "/maps/box.bsp", "-notextures")));
    EXPECT_TRUE(scratch.Has("out/box.map"));
    EXPECT_TRUE(scratch.Has("out/box_btm.wad"));
    for (const char* gone : {"maps/box.map", "maps/box_btm.wad", "maps/box.log"})
        EXPECT_FALSE(scratch.Has(gone)) << gone;
    EXPECT_THAT(run.out, HasSubstr("Press any key to continue . . . "));
}

// The generators' own scripts, with a map folder whose name needs the escaping they do.
class GeneratedScriptTest : public CompileScriptTest {
protected:
    void SetUp() override
    {
        CompileScriptTest::SetUp();
        scratch.Write(kMaps + "/box.map", "map");
        scratch.Write(kMaps + "/box.vmf", "vmf");
    }

    const std::string kMaps = "maps & 100%";
    const ScriptOrigin origin {"01.02.2027", "10:11:12", "maintainer@example.org"};
};

TEST_F(GeneratedScriptTest, HalfLifeScriptRunsStagesCopiesAndRestartsFromTheMenu)
{
    TGSConfig config;
    for (auto [field, tool] : {std::pair{&config.CsgTool, "hlcsg"}, std::pair{&config.BspTool, "hlbsp"},
                               std::pair{&config.VisTool, "hlvis"}, std::pair{&config.RadTool, "hlrad"},
                               std::pair{&config.GameExe, "hl"}, std::pair{&config.ProgramPath, "ferrowind"}})
        *field = Root() + "/tools/" + tool;
    config.MapFile = Root() + "/" + kMaps + "/box.map";
    config.WadRoot = Root() + "/wads";
    config.BspOutDir = Root() + "/out/";
    config.CsgParams = "-wadinclude halflife";
    config.GameParams = "+map %MAPNAME% ";
    config.DeleteP0 = true;
    config.OpenLog = true;
    config.Beep = true;
    config.Pause = true;
    Outputs(".bsp .p0");
    Fails("hlrad");

    const ScriptRun run = RunGenerated(GS_MakeBat(config, origin), {"3", "1"});
    EXPECT_THAT(ToolsRun(), ElementsAre("hlcsg", "hlbsp", "hlvis", "hlrad", "hlcsg", "hlbsp", "hlvis", "hlrad",
                                        "ferrowind", "hl"));
    EXPECT_THAT(Records()[0], ElementsAre("hlcsg", Root(), config.MapFile, "-wadinclude", "halflife"));
    EXPECT_THAT(Records().back(), ElementsAre("hl", Root(), "+map", "box"));
    EXPECT_TRUE(scratch.Has("out/box.bsp"));
    EXPECT_FALSE(scratch.Has(kMaps + "/box.p0"));
    EXPECT_THAT(host.opened, ElementsAre(Root() + "/" + kMaps + "/box.log"));
    EXPECT_EQ(Count(run.out, "Enter \"1\" for exit..."), 1u);
    EXPECT_EQ(run.err, "");
}

TEST_F(GeneratedScriptTest, HalfLife2ScriptRunsInTheBinFolderAndExitsFromTheMenu)
{
    TSConfig config;
    config.BspTool = Root() + "/tools/vbsp";
    config.VisTool = Root() + "/tools/vvis";
    config.RadTool = Root() + "/tools/vrad";
    config.BinDir = Root() + "/bin";
    config.BspOutDir = Root() + "/out/";
    config.VmfFile = Root() + "/" + kMaps + "/box.vmf";
    config.RunBsp = config.RunVis = config.RunRad = true;
    config.VisParams = "-fast";
    config.DeleteLog = true;
    config.Pause = true;
    config.ConsoleColor = "0A";
    config.Version = "1.2";
    config.LogViewer = "Notepad";
    Outputs(".bsp");

    const ScriptRun passed = RunGenerated(S_MakeBat(config, origin), {"1"});
    const std::string map = Root() + "/" + kMaps + "/box";
    EXPECT_THAT(Records(), ElementsAre(ElementsAre("vbsp", Root() + "/bin", map),
                                       ElementsAre("vvis", Root() + "/bin", map, "-fast"),
                                       ElementsAre("vrad", Root() + "/bin", map)));
    EXPECT_TRUE(scratch.Has("out/box.bsp"));
    EXPECT_FALSE(scratch.Has(kMaps + "/box.log"));
    EXPECT_EQ(passed.err, "");

    Fails("vvis");
    const ScriptRun failed = RunGenerated(S_MakeBat(config, origin), {"", "3"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(Count(failed.out, "Select item:"), 2u);
    EXPECT_EQ(ToolsRun().size(), 5u);
}
