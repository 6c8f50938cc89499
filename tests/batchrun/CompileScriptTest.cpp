// Runs the compile scripts the program writes (kept under tests/golden) and the decompile script, with stub
// tools in a scratch folder that stands in for @ROOT@. On Windows every case runs twice: in ferrowind-cmd and
// in the system's command interpreter, so that the two are held against each other. The cross build runs them
// under Wine, whose interpreter differs from Windows' where a case says so.
#include "Harness.h"

#include "base/Paths.h"
#include "base/Text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

using namespace batchrun;

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace fs = std::filesystem;

namespace {

// A map folder whose name needs the escaping the generators do: '&' splits commands, '%' expands.
const std::string kEscapedMaps = "maps & 100%";

std::string goldenPath(const std::string& name) { return std::string(FERROWIND_SOURCE_DIR) + "/tests/golden/" + name; }

enum class Interpreter {
    FerrowindCmd, // in-process, with a host that records documents and power-offs
    CommandInterpreter, // cmd.exe, with stubs for Notepad and shutdown.exe first on PATH
};

std::string interpreterName(const ::testing::TestParamInfo<Interpreter>& info)
{
    return info.param == Interpreter::FerrowindCmd ? "FerrowindCmd" : "CommandInterpreter";
}

// Wine's `set /P` reads all of a piped input at once (Windows' reads one line), so the first question gets
// every answer and the next ones none.
constexpr const char* kSetPromptTakesAllInput = "Wine's set /P takes the whole piped input at its first question";
// Wine expands `%` again inside a variable's value, so a value holding an escaped `%` loses text.
constexpr const char* kPercentExpandedAgain = "Wine's interpreter expands % again inside variable values";

#ifdef _WIN32
constexpr const char* kTools[] = {"hlcsg.exe", "hlbsp.exe", "hlvis.exe", "hlrad.exe", "hl.exe", "ferrowind.exe",
    "vbsp.exe", "vvis.exe", "vrad.exe", "BspTwoMap.exe", "Notepad.exe", "shutdown.exe"};
#else
constexpr const char* kTools[] = {
    "hlcsg", "hlbsp", "hlvis", "hlrad", "hl", "ferrowind", "vbsp", "vvis", "vrad", "BspTwoMap.exe"};
#endif

} // namespace

class CompileScriptTest : public ::testing::TestWithParam<Interpreter> {
protected:
    void SetUp() override
    {
        fs::create_directories(root() + "/tools");
        for (const char* tool : kTools) {
#ifdef _WIN32
            fs::copy_file(BATCHRUN_STUB_TOOL, inRoot("tools") + base::kPathSeparator + tool);
#else
            fs::create_symlink(BATCHRUN_STUB_TOOL, root() + "/tools/" + tool);
#endif
        }
#ifdef _WIN32
        session_.environment.set("PATH", inRoot("tools") + ";" + session_.environment.get("PATH").value_or(""));
#endif
        for (const char* folder : {"out", "bin", "wads"})
            fs::create_directories(root() + "/" + folder);
        scratch_.write("maps/box.map", "map");
        scratch_.write("maps/box.vmf", "vmf");
        scratch_.write("maps/box.bsp", "old bsp");
        session_.environment.set("STUB_RECORD", root() + "/record.txt");
        session_.environment.set("STUB_CONTROL", root() + "/control.txt");
        host_.runForReal = true;
    }

    std::string root() const { return scratch_.path(); }
    // A path in the scratch folder, as the system writes paths.
    std::string inRoot(std::string relative) const
    {
        std::replace(relative.begin(), relative.end(), '/', base::kPathSeparator);
        return root() + base::kPathSeparator + relative;
    }
    bool inCommandInterpreter() const { return GetParam() == Interpreter::CommandInterpreter; }

    std::string readFile(const std::string& relative) const
    {
        std::ifstream file(root() + "/" + relative, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    // The script at `path` with @ROOT@ standing for the scratch folder, line ends left as written.
    ScriptRun runScriptFile(const std::string& path, std::vector<std::string> answers)
    {
        std::ifstream file(path, std::ios::binary);
        EXPECT_TRUE(file) << path;
        std::string script{std::istreambuf_iterator<char>(file), {}};
        const std::string key = "@ROOT@";
        for (size_t at = script.find(key); at != std::string::npos; at = script.find(key, at + root().size())) {
            script.replace(at, key.size(), root());
            // The program writes a path with the system's separators; Wine's `del` finds no file by a slash.
            for (size_t c = at + root().size();
                 c < script.size() && std::string_view("\"\r\n").find(script[c]) == std::string_view::npos; ++c)
                script[c] = script[c] == '/' ? base::kPathSeparator : script[c];
        }
        if (!inCommandInterpreter())
            return runScript(script, session_, host_, std::move(answers));
#ifdef _WIN32
        std::string lines;
        for (const char c : script) {
            if (c == '\n' && (lines.empty() || lines.back() != '\r'))
                lines += '\r';
            lines += c;
        }
        scratch_.write("compile.bat", lines);
        return runInCommandInterpreter(root(), "compile.bat", answers, session_.environment);
#else
        return {};
#endif
    }

    ScriptRun runGolden(const std::string& name, std::vector<std::string> answers)
    {
        return runScriptFile(goldenPath(name), std::move(answers));
    }

    // Suffixes of the files a successful tool run leaves beside the map.
    void outputs(const std::string& suffixes) { session_.environment.set("STUB_OUTPUTS", suffixes); }
    // The next run of `tool` exits with 1.
    void fails(const std::string& tool) { std::ofstream(root() + "/control.txt", std::ios::app) << tool << " 1\n"; }

    // Each started stub: name, working folder, arguments.
    std::vector<std::vector<std::string>> stubRuns() const
    {
        std::vector<std::vector<std::string>> result;
        std::istringstream lines(readFile("record.txt"));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            std::vector<std::string> fields;
            std::istringstream parts(line);
            for (std::string field; std::getline(parts, field, '\t');)
                fields.push_back(field);
            result.push_back(fields);
        }
        return result;
    }

    // The interpreter's `start` names the program it found, extension included.
    static bool isNamed(const std::vector<std::string>& run, const std::string& name)
    {
        return base::equalsIgnoringCase(run[0], name) || base::equalsIgnoringCase(run[0], name + ".exe");
    }
    static bool isViewer(const std::vector<std::string>& run) { return isNamed(run, "Notepad"); }
    static bool isShutdown(const std::vector<std::string>& run) { return isNamed(run, "shutdown"); }

    // Each started tool: name, working folder, arguments.
    std::vector<std::vector<std::string>> records() const
    {
        std::vector<std::vector<std::string>> result;
        for (const auto& run : stubRuns())
            if (!isViewer(run) && !isShutdown(run))
                result.push_back(run);
        return result;
    }

    // Logs shown to the user: by the desktop's viewer on Linux, by Notepad on Windows.
    std::vector<std::string> logsShown() const
    {
        std::vector<std::string> shown = host_.opened;
        for (const auto& run : stubRuns())
            if (isViewer(run))
                shown.push_back(run.size() > 2 ? run[2] : "");
        return shown;
    }

    // ferrowind-cmd powers off itself; the interpreter runs shutdown.exe.
    int powerOffs() const
    {
        int count = host_.powerOffs;
        for (const auto& run : stubRuns())
            count += isShutdown(run) && run.size() > 2 && base::equalsIgnoringCase(run[2], "/s") ? 1 : 0;
        return count;
    }

    std::vector<std::string> toolsRun() const
    {
        std::vector<std::string> names;
        for (const auto& record : records())
            names.push_back(record.front());
        return names;
    }

    ScratchFolder scratch_;
    Session session_ = testSession(scratch_.path());
    RecordingHost host_;
};

TEST_P(CompileScriptTest, HalfLifeSuccessCopiesTheBspOpensTheLogDeletesByProductsAndEndsOnOne)
{
    outputs(".bsp .p0 .p1 .p2 .p3 .prt .pts");
    const ScriptRun run = runGolden("goldsource_compile.bat", {"1"});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_THAT(toolsRun(), ElementsAre("hlcsg", "hlbsp", "hlvis", "hlrad", "ferrowind", "hl"));
    const auto ran = records();
    const std::string map = inRoot("maps/box.map");
    EXPECT_THAT(ran[0], ElementsAre("hlcsg", root(), map, "-wadinclude", "halflife"));
    EXPECT_THAT(ran[1], ElementsAre("hlbsp", root(), map));
    EXPECT_THAT(ran[2], ElementsAre("hlvis", root(), map, "-full"));
    EXPECT_THAT(ran[3], ElementsAre("hlrad", root(), map, "-extra", "-bounce", "4"));
    EXPECT_THAT(ran[4], ElementsAre("ferrowind", root(), "+beep"));
    EXPECT_THAT(ran[5], ElementsAre("hl", root(), "+map", "box"));
    // The copy took the bsp that the last tool wrote, not the old one.
    EXPECT_EQ(readFile("out/box.bsp"), readFile("maps/box.bsp"));
    EXPECT_THAT(readFile("out/box.bsp"), EndsWith("hlrad\n"));
    for (const char* gone : {"p0", "p1", "p2", "p3", "prt"})
        EXPECT_FALSE(scratch_.has(std::string("maps/box.") + gone)) << gone;
    EXPECT_TRUE(scratch_.has("maps/box.pts"));
    // `start "" %LOGVIEW% "box.log"`: the empty title is no program, and the viewer opens the log.
    EXPECT_THAT(logsShown(), ElementsAre(inRoot("maps/box.log")));
    EXPECT_THAT(run.out, HasSubstr("Compilation finished"));
    EXPECT_THAT(run.out, Not(HasSubstr("ERROR")));
    EXPECT_EQ(run.err, "");
}

TEST_P(CompileScriptTest, HalfLifeFailureMenuOpensLogAndErrorsRestartsAndExits)
{
    if (inCommandInterpreter())
        GTEST_SKIP() << kSetPromptTakesAllInput;
    outputs(".bsp");
    fails("hlbsp");
    fails("hlvis");
    const ScriptRun run = runGolden("goldsource_compile.bat", {"1", "2", "3", "4"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(toolsRun(), ElementsAre("hlcsg", "hlbsp", "hlcsg", "hlbsp", "hlvis"));
    EXPECT_THAT(logsShown(), ElementsAre(inRoot("maps/box.log"), inRoot("maps/box.err")));
    EXPECT_EQ(occurrences(run.out, "ERROR ERROR ERROR ERROR ERROR ERROR"), 2u);
    EXPECT_EQ(occurrences(run.out, "Select item:"), 4u);
    EXPECT_FALSE(scratch_.has("out/box.bsp"));
    EXPECT_THAT(run.out, Not(HasSubstr("Compilation finished")));
}

TEST_P(CompileScriptTest, HalfLifePauseLoopEndsOnlyOnOne)
{
    if (inCommandInterpreter())
        GTEST_SKIP() << kSetPromptTakesAllInput;
    const ScriptRun run = runGolden("goldsource_compile.bat", {"", "2", "nil", "1"});
    EXPECT_EQ(occurrences(run.out, "Enter \"1\" for exit..."), 4u);
    EXPECT_EQ(run.err, "");
    // An empty answer sets the error level, and `exit` keeps it, as in the interpreter.
    EXPECT_EQ(run.exitCode, 1);
}

// ferrowind-cmd's own rule: the interpreter asks again for ever, as it does in a console whose input ended.
TEST_P(CompileScriptTest, EndOfInputEndsThePauseLoopAndTheMenu)
{
    if (inCommandInterpreter())
        GTEST_SKIP() << "the interpreter asks again for ever at the end of its input";
    const ScriptRun paused = runGolden("goldsource_compile.bat", {""});
    EXPECT_EQ(paused.exitCode, 1);
    EXPECT_EQ(occurrences(paused.out, "Enter \"1\" for exit..."), 2u);
    EXPECT_THAT(paused.err, HasSubstr("end of input"));

    fails("hlcsg");
    const ScriptRun failed = runGolden("goldsource_compile.bat", {});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(occurrences(failed.out, "Select item:"), 1u);
}

TEST_P(CompileScriptTest, HalfLifeShutdownPowersOffInsteadOfStartingTheGame)
{
    outputs(".bsp");
    const ScriptRun run = runGolden("goldsource_shutdown.bat", {});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(powerOffs(), 1);
    EXPECT_THAT(toolsRun(), ElementsAre("hlbsp"));
    EXPECT_TRUE(scratch_.has("out/box.bsp"));
    EXPECT_FALSE(scratch_.has("maps/box.log"));

    fails("hlbsp");
    const ScriptRun failed = runGolden("goldsource_shutdown.bat", {});
    EXPECT_EQ(powerOffs(), 2);
    EXPECT_EQ(failed.exitCode, 0); // the error level of the accepted power-off
    EXPECT_THAT(failed.out, Not(HasSubstr("Select item:")));
}

TEST_P(CompileScriptTest, HalfLife2RunsTheToolsInTheBinFolder)
{
    outputs(".bsp");
    const ScriptRun run = runGolden("source_compile.bat", {"1"});
    EXPECT_EQ(run.exitCode, 0);
    const std::string bin = inRoot("bin");
    const std::string map = inRoot("maps/box");
    EXPECT_THAT(records(),
        ElementsAre(ElementsAre("vbsp", bin, map), ElementsAre("vvis", bin, map, "-fast"),
            ElementsAre("vrad", bin, map, "-both", "-final")));
    EXPECT_TRUE(scratch_.has("out/box.bsp"));
    EXPECT_FALSE(scratch_.has("maps/box.log"));
    EXPECT_THAT(logsShown(), IsEmpty());
    EXPECT_EQ(run.err, "");
}

TEST_P(CompileScriptTest, HalfLife2MenuOpensTheLogRestartsAndExits)
{
    if (inCommandInterpreter())
        GTEST_SKIP() << kSetPromptTakesAllInput;
    outputs(".bsp");
    fails("vrad");
    const ScriptRun restarted = runGolden("source_compile.bat", {"1", "2", "0", "1"});
    EXPECT_EQ(restarted.exitCode, 0);
    EXPECT_THAT(toolsRun(), ElementsAre("vbsp", "vvis", "vrad", "vbsp", "vvis", "vrad"));
    EXPECT_THAT(logsShown(), ElementsAre(inRoot("maps/box.log")));
    EXPECT_EQ(occurrences(restarted.out, "Enter \"1\" for exit..."), 2u);

    fails("vbsp");
    const ScriptRun exited = runGolden("source_compile.bat", {"3"});
    EXPECT_EQ(exited.exitCode, 1);
    EXPECT_EQ(toolsRun().size(), 7u);
}

TEST_P(CompileScriptTest, DecompileCopiesTheResultsAndTidiesUp)
{
    outputs(".map _btm.wad");
    const ScriptRun run =
        runScriptFile(std::string(FERROWIND_SOURCE_DIR) + "/tests/fixtures/batchrun/decompile.bat", {});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(records(), ElementsAre(ElementsAre("BspTwoMap.exe", root(), inRoot("maps/box.bsp"), "-notextures")));
    EXPECT_TRUE(scratch_.has("out/box.map"));
    EXPECT_TRUE(scratch_.has("out/box_btm.wad"));
    for (const char* gone : {"maps/box.map", "maps/box_btm.wad", "maps/box.log"})
        EXPECT_FALSE(scratch_.has(gone)) << gone;
    // Wine words the prompt "Press any key to continue... ", Windows as ferrowind-cmd does.
    if (!inCommandInterpreter()) {
        EXPECT_THAT(run.out, HasSubstr("Press any key to continue . . . "));
    }
}

TEST_P(CompileScriptTest, EscapedHalfLifeScriptRunsStagesCopiesAndRestartsFromTheMenu)
{
    if (inCommandInterpreter())
        GTEST_SKIP() << kPercentExpandedAgain;
    const std::string golden = "goldsource_escaping.bat";
    if (!fs::exists(goldenPath(golden)))
        GTEST_SKIP() << "tests/golden/" << golden << " is missing; add the generated script to run this test";
    scratch_.write(kEscapedMaps + "/box.map", "map");
    outputs(".bsp .p0");
    fails("hlrad");

    const ScriptRun run = runGolden(golden, {"3", "1"});
    ASSERT_THAT(toolsRun(),
        ElementsAre("hlcsg", "hlbsp", "hlvis", "hlrad", "hlcsg", "hlbsp", "hlvis", "hlrad", "ferrowind", "hl"));
    const std::string map = inRoot(kEscapedMaps + "/box.map");
    EXPECT_THAT(records().front(), ElementsAre("hlcsg", root(), map, "-wadinclude", "halflife"));
    EXPECT_THAT(records().back(), ElementsAre("hl", root(), "+map", "box"));
    EXPECT_TRUE(scratch_.has("out/box.bsp"));
    EXPECT_FALSE(scratch_.has(kEscapedMaps + "/box.p0"));
    EXPECT_THAT(logsShown(), ElementsAre(inRoot(kEscapedMaps + "/box.log")));
    EXPECT_EQ(occurrences(run.out, "Enter \"1\" for exit..."), 1u);
    EXPECT_EQ(run.err, "");
}

TEST_P(CompileScriptTest, EscapedHalfLife2ScriptRunsInTheBinFolderAndExitsFromTheMenu)
{
    if (inCommandInterpreter())
        GTEST_SKIP() << kPercentExpandedAgain;
    const std::string golden = "source_escaping.bat";
    if (!fs::exists(goldenPath(golden)))
        GTEST_SKIP() << "tests/golden/" << golden << " is missing; add the generated script to run this test";
    scratch_.write(kEscapedMaps + "/box.vmf", "vmf");
    outputs(".bsp");

    const ScriptRun passed = runGolden(golden, {"1"});
    const std::string bin = inRoot("bin");
    const std::string map = inRoot(kEscapedMaps + "/box");
    EXPECT_THAT(records(),
        ElementsAre(
            ElementsAre("vbsp", bin, map), ElementsAre("vvis", bin, map, "-fast"), ElementsAre("vrad", bin, map)));
    EXPECT_TRUE(scratch_.has("out/box.bsp"));
    EXPECT_FALSE(scratch_.has(kEscapedMaps + "/box.log"));
    EXPECT_EQ(passed.err, "");

    fails("vvis");
    const ScriptRun failed = runGolden(golden, {"", "3"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(occurrences(failed.out, "Select item:"), 2u);
    EXPECT_EQ(toolsRun().size(), 5u);
}

// Parameters with command characters, printed for stages that do not run: the summary prints them, and the
// canary on PATH that they name never runs.
TEST_P(CompileScriptTest, SummaryLinesPrintParametersAndRunNothing)
{
#ifdef _WIN32
    fs::copy_file(BATCHRUN_STUB_TOOL, inRoot("tools/canary.exe"));
#else
    fs::create_symlink(BATCHRUN_STUB_TOOL, root() + "/tools/canary");
    session_.environment.set("PATH", root() + "/tools");
#endif
    const std::pair<const char*, const char*> cases[] = {
        {"goldsource_summary_params.bat", "hlbsp"},
        {"source_summary_params.bat", "vbsp"},
    };
    for (const auto& [golden, tool] : cases) {
        fs::remove(root() + "/record.txt");
        ScriptRun run = runGolden(golden, {});
        std::erase(run.out, '\r'); // the command interpreter ends its lines with CR LF
        EXPECT_THAT(toolsRun(), ElementsAre(tool)) << golden;
        EXPECT_EQ(run.err, "") << golden;
        EXPECT_FALSE(scratch_.has("x.txt")) << golden;
        if (std::string(golden).starts_with("goldsource")) {
            EXPECT_THAT(run.out, HasSubstr("CSG(-) -estimate & canary\n"));
            EXPECT_THAT(run.out, HasSubstr("VIS(-) -fast | canary > x.txt\n"));
            EXPECT_THAT(run.out, HasSubstr("RAD(-) -x \"a & b\" && canary < in.txt\n"));
            EXPECT_THAT(run.out, HasSubstr("Game(-) +map box ^& canary\n"));
        } else {
            EXPECT_THAT(run.out, HasSubstr("VIS(-) -fast & canary\n"));
            EXPECT_THAT(run.out, HasSubstr("RAD(-) -x \"a | b\" || canary > x.txt\n"));
            EXPECT_THAT(run.out, HasSubstr("Game(-) +map box < in.txt & canary\n"));
        }
    }
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Interpreters, CompileScriptTest,
    ::testing::Values(Interpreter::FerrowindCmd, Interpreter::CommandInterpreter), interpreterName);
#else
INSTANTIATE_TEST_SUITE_P(
    Interpreters, CompileScriptTest, ::testing::Values(Interpreter::FerrowindCmd), interpreterName);
#endif
