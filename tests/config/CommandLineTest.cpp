#include "config/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

using namespace ferrowind;

namespace {

using Args = std::vector<std::string>;

StartupRequest parse(const Args& arguments)
{
    static const std::set<std::string> existing{
        "/maps/box.map", "/maps/two.MAP", "/maps/city.vmf", "/maps/notes.txt", "/maps/c1a0.BSP"};
    return parseCommandLine(arguments, [](const std::string& path) { return existing.count(path) > 0; });
}

TEST(CommandLineTest, NoArgumentsAskNothing)
{
    const StartupRequest request = parse({});
    EXPECT_EQ(request.mapFile, "");
    EXPECT_EQ(request.vmfFile, "");
    EXPECT_EQ(request.bspFile, "");
    EXPECT_EQ(request.page, StartPage::HalfLife);
    EXPECT_FALSE(request.runAtStart);
    EXPECT_FALSE(request.beep);
    EXPECT_TRUE(request.presets.empty());
}

TEST(CommandLineTest, MapBeforeOrAfterRunGivesTheSameResult)
{
    for (const Args& args : {Args{"/maps/box.map", "+run"}, Args{"+run", "/maps/box.map"}}) {
        const StartupRequest request = parse(args);
        EXPECT_EQ(request.mapFile, "/maps/box.map");
        EXPECT_TRUE(request.runAtStart);
        EXPECT_EQ(request.page, StartPage::HalfLife);
    }
}

TEST(CommandLineTest, ExtensionIgnoresCaseAndTheLastMapWins)
{
    EXPECT_EQ(parse({"/maps/box.map", "/maps/two.MAP"}).mapFile, "/maps/two.MAP");
}

TEST(CommandLineTest, MapAndVmfTogetherFillBothAndShowHalfLife2)
{
    const StartupRequest request = parse({"/maps/city.vmf", "/maps/box.map", "+run"});
    EXPECT_EQ(request.mapFile, "/maps/box.map");
    EXPECT_EQ(request.vmfFile, "/maps/city.vmf");
    EXPECT_EQ(request.page, StartPage::HalfLife2);
    EXPECT_TRUE(request.runAtStart);
}

TEST(CommandLineTest, BspShowsTheDecompilePageAndNeverRuns)
{
    for (const Args& args : {Args{"/maps/c1a0.BSP"}, Args{"+run", "/maps/c1a0.BSP"},
             Args{"/maps/city.vmf", "/maps/c1a0.BSP", "+run"}, Args{"/maps/c1a0.BSP", "/maps/city.vmf", "+RUN"}}) {
        const StartupRequest request = parse(args);
        EXPECT_EQ(request.bspFile, "/maps/c1a0.BSP");
        EXPECT_EQ(request.page, StartPage::Decompile);
        EXPECT_FALSE(request.runAtStart);
    }
    const StartupRequest gone = parse({"/maps/gone.bsp", "+run", "/maps/box.map"});
    EXPECT_EQ(gone.bspFile, "");
    EXPECT_EQ(gone.page, StartPage::HalfLife);
    EXPECT_TRUE(gone.runAtStart);
}

TEST(CommandLineTest, MissingAndOtherFilesAreIgnored)
{
    const StartupRequest request = parse({"/maps/gone.map", "/maps/gone.vmf", "/maps/notes.txt", "+run"});
    EXPECT_EQ(request.mapFile, "");
    EXPECT_EQ(request.vmfFile, "");
    EXPECT_EQ(request.page, StartPage::HalfLife);
    EXPECT_TRUE(request.runAtStart);
}

TEST(CommandLineTest, WordsIgnoreLetterCase)
{
    const StartupRequest request = parse({"+RUN", "+Beep", "-PRESET", "Full"});
    EXPECT_TRUE(request.runAtStart);
    EXPECT_TRUE(request.beep);
    EXPECT_EQ(request.presets, Args{"Full"});
}

TEST(CommandLineTest, WordsMustStandWhole)
{
    const StartupRequest request =
        parse({"x+run", "+runx", "run", "beep", "+beep+", "preset", "--preset", "a", " +run"});
    EXPECT_FALSE(request.runAtStart);
    EXPECT_FALSE(request.beep);
    EXPECT_TRUE(request.presets.empty());
}

TEST(CommandLineTest, PresetAsLastArgumentGivesAnEmptyName)
{
    EXPECT_EQ(parse({"/maps/box.map", "-preset"}).presets, Args{""});
}

TEST(CommandLineTest, PresetFollowedByRunTakesItAsNameAndStillRuns)
{
    const StartupRequest request = parse({"-preset", "+run"});
    EXPECT_EQ(request.presets, Args{"+run"});
    EXPECT_TRUE(request.runAtStart);
}

} // namespace
