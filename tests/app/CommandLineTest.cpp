#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Args = std::vector<std::string>;

StartupRequest Parse(const Args& arguments)
{
    static const std::set<std::string> existing{"/maps/box.map", "/maps/two.MAP", "/maps/city.vmf", "/maps/notes.txt"};
    return ParseCommandLine(arguments, [](const std::string& path) { return existing.count(path) > 0; });
}

TEST(CommandLineTest, NoArgumentsAskNothing)
{
    const StartupRequest request = Parse({});
    EXPECT_EQ(request.mapFile, "");
    EXPECT_EQ(request.vmfFile, "");
    EXPECT_EQ(request.page, StartPage::HalfLife);
    EXPECT_FALSE(request.runAtStart);
    EXPECT_FALSE(request.beep);
    EXPECT_TRUE(request.presets.empty());
}

TEST(CommandLineTest, MapBeforeOrAfterRunGivesTheSameResult)
{
    for (const Args& args : {Args{"/maps/box.map", "+run"}, Args{"+run", "/maps/box.map"}}) {
        const StartupRequest request = Parse(args);
        EXPECT_EQ(request.mapFile, "/maps/box.map");
        EXPECT_TRUE(request.runAtStart);
        EXPECT_EQ(request.page, StartPage::HalfLife);
    }
}

TEST(CommandLineTest, ExtensionIgnoresCaseAndTheLastMapWins)
{
    EXPECT_EQ(Parse({"/maps/box.map", "/maps/two.MAP"}).mapFile, "/maps/two.MAP");
}

TEST(CommandLineTest, MapAndVmfTogetherFillBothAndShowHalfLife2)
{
    const StartupRequest request = Parse({"/maps/city.vmf", "/maps/box.map", "+run"});
    EXPECT_EQ(request.mapFile, "/maps/box.map");
    EXPECT_EQ(request.vmfFile, "/maps/city.vmf");
    EXPECT_EQ(request.page, StartPage::HalfLife2);
    EXPECT_TRUE(request.runAtStart);
}

TEST(CommandLineTest, MissingAndOtherFilesAreIgnored)
{
    const StartupRequest request = Parse({"/maps/gone.map", "/maps/gone.vmf", "/maps/notes.txt", "+run"});
    EXPECT_EQ(request.mapFile, "");
    EXPECT_EQ(request.vmfFile, "");
    EXPECT_EQ(request.page, StartPage::HalfLife);
    EXPECT_TRUE(request.runAtStart);
}

TEST(CommandLineTest, WordsIgnoreLetterCase)
{
    const StartupRequest request = Parse({"+RUN", "+Beep", "-PRESET", "Full"});
    EXPECT_TRUE(request.runAtStart);
    EXPECT_TRUE(request.beep);
    EXPECT_EQ(request.presets, Args{"Full"});
}

TEST(CommandLineTest, WordsMustStandWhole)
{
    const StartupRequest request = Parse({"x+run", "+runx", "run", "beep", "+beep+", "preset", "--preset", "a", " +run"});
    EXPECT_FALSE(request.runAtStart);
    EXPECT_FALSE(request.beep);
    EXPECT_TRUE(request.presets.empty());
}

TEST(CommandLineTest, PresetAsLastArgumentGivesAnEmptyName)
{
    EXPECT_EQ(Parse({"/maps/box.map", "-preset"}).presets, Args{""});
}

TEST(CommandLineTest, PresetFollowedByRunTakesItAsNameAndStillRuns)
{
    const StartupRequest request = Parse({"-preset", "+run"});
    EXPECT_EQ(request.presets, Args{"+run"});
    EXPECT_TRUE(request.runAtStart);
}

} // namespace
