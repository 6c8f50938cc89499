// Every script generator with the values that break scripts, in every field, each script run by
// ferrowind-cmd's runner with a canary on PATH; and a seeded slice of the fuzz target (compile/fuzz).
#include "compile/fuzz/HostileScripts.h"

#include "batchrun/Runner.h"
#include "decompile/DecompileScript.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <sstream>

using namespace ferrowind;
using namespace ferrowind::fuzz;

using ::testing::IsEmpty;

namespace {

// Each expands, runs, redirects, ends quoting or ends the line when written into a script as it is.
const std::string kHostile[] = {"p%HOME%q", "%1", "%~dp0", "100%", "R&D", "t&touch X", "a && b", "a | b", "a < b",
    "a > b", "a ^ b", "q\" & canary & \"", "\"", "a\nb", "a\rb", "a\x1A", " & canary", "^&canary", "%CANARY%", "!x!",
    "(a)", "caf\xC3\xA9 \xFF", "x.map", "::", "@echo on", "a;b,c=d"};

TEST(HostileScriptsTest, EveryGeneratorRefusesOrCarriesEachValueInEachField)
{
    TempFolder scratch;
    for (const std::string& value : kHostile) {
        std::string HostileValues::*fields[] = {&HostileValues::mapFolder, &HostileValues::mapStem,
            &HostileValues::toolFolder, &HostileValues::outFolder, &HostileValues::parameters};
        for (std::string HostileValues::*field : fields) {
            HostileValues values{"maps", "box", "tools", "out", "-estimate \"a & b\""};
            values.*field = value;
            EXPECT_THAT(tryGenerators(values, scratch.path()), IsEmpty()) << value;
        }
    }
}

TEST(HostileScriptsTest, FuzzSlice)
{
    TempFolder scratch;
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<size_t> length(1, 24);
    for (int i = 0; i < 60; ++i) {
        std::vector<uint8_t> bytes(length(random));
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(byte(random));
        ASSERT_THAT(tryGenerators(hostileValuesFrom(bytes), scratch.path()), IsEmpty()) << "case " << i;
    }
}

// The move copies each file and deletes it only once the copy succeeded: an output folder that is gone by the
// time the script runs leaves the decompiled files where they are.
TEST(HostileScriptsTest, DecompileMoveKeepsTheFilesWhenTheCopyFails)
{
    TempFolder dir;
    for (const char* made : {"maps/box.bsp", "maps/box.map", "maps/box_btm.wad"})
        dir.write(made, "x");
    DecompileScriptInput input;
    input.tempDir = dir.path("tools") + "/";
    input.bspPath = dir.path("maps/box.bsp");
    input.outputFolder = dir.path("removed") + "/";
    input.moveToOutput = true;
    input.extractTextures = true;

    struct : batchrun::Host {
        base::ProgramResult run(const base::ProgramStart&) override { return {true, 0, {}}; }
        std::string start(const base::ProgramStart&) override { return {}; }
        std::string openDocument(const std::string&) override { return {}; }
        std::string powerOff() override { return {}; }
    } host;
    struct : batchrun::Input {
        std::optional<std::string> readLine() override { return std::nullopt; }
        bool waitForKey() override { return false; }
    } input_;
    std::ostringstream out;
    batchrun::Session session{batchrun::Environment::fromProcess(), dir.path()};
    batchrun::Console console{out, out, input_, false};
    batchrun::Runner(session, console, host)
        .run(batchrun::Script::fromText(scriptFileText(decompileScript(input))), {"Decompile.bat"});
    EXPECT_TRUE(std::filesystem::exists(dir.path("maps/box.map"))) << out.str();
    EXPECT_TRUE(std::filesystem::exists(dir.path("maps/box_btm.wad")));
}

} // namespace
