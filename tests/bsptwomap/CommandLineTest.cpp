// The program as the decompile script runs it: files next to the input, exit code, messages.
#include "MapParser.h"
#include "Support.h"

#include "bsptwomap/Decompile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace btm::test {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

class CommandLine : public testing::Test {
protected:
    void SetUp() override
    {
        BTM_REQUIRE_FIXTURES();
        dir_ = fs::temp_directory_path() /
            ("bsptwomap_cli_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string place(const std::string& fixture)
    {
        const fs::path target = dir_ / (fixture + ".bsp");
        fs::copy_file(fixtureDir() / (fixture + ".bsp"), target);
        fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
        return target.string();
    }

    int run(std::vector<std::string> args)
    {
        std::ostringstream console;
        const int code = runCommandLine(args, console);
        console_ = console.str();
        return code;
    }

    bool exists(const std::string& name) const { return fs::exists(dir_ / name); }
    // A write that failed or finished leaves no temporary file beside its target.
    bool noTemporaryFiles() const
    {
        for (const auto& entry : fs::directory_iterator(dir_))
            if (entry.path().filename().string().find(".~") != std::string::npos)
                return false;
        return true;
    }
    std::string text(const std::string& name) const { return readText(dir_ / name); }

    fs::path dir_;
    std::string console_;
};

TEST_F(CommandLine, WritesMapWadAndLogBesideTheInput)
{
    ASSERT_EQ(run({place("boxroom")}), 0);
    EXPECT_TRUE(exists("boxroom_btm.wad"));
    EXPECT_FALSE(exists("boxroom.err"));
    EXPECT_TRUE(noTemporaryFiles());
    const auto map = parseMap(text("boxroom.map"));
    ASSERT_EQ(map.size(), 3u);
    EXPECT_EQ(*map[0].find("wad"), "boxroom_btm.wad");
    EXPECT_EQ(map[0].brushes.size(), 6u);
    EXPECT_EQ(*map[2].find("classname"), "light");
    const std::string log = text("boxroom.log");
    EXPECT_THAT(log, HasSubstr("6 brushes"));
    EXPECT_THAT(log, HasSubstr("1 textures"));
    EXPECT_THAT(log, HasSubstr("time: "));
    EXPECT_EQ(std::count(console_.begin(), console_.end(), '\n'), 1);
}

TEST_F(CommandLine, NoTexturesSwitchSkipsTheWadAndBrenmoorIsLogged)
{
    ASSERT_EQ(run({place("boxroom"), "-notextures", "-brenmoor"}), 0);
    EXPECT_FALSE(exists("boxroom_btm.wad"));
    EXPECT_EQ(parseMap(text("boxroom.map"))[0].find("wad"), nullptr);
    EXPECT_THAT(text("boxroom.log"), HasSubstr("-brenmoor"));
}

size_t clipBrushes(const std::vector<MapEntity>& map)
{
    size_t count = 0;
    for (const MapBrush& b : map[0].brushes)
        count += b.allFacesTextured("CLIP") ? 1 : 0;
    return count;
}

TEST_F(CommandLine, BrenmoorRebuildsClipBrushesOnlyWhenAsked)
{
    const std::string bsp = place("zoo_npcs");
    ASSERT_EQ(run({bsp}), 0);
    EXPECT_EQ(clipBrushes(parseMap(text("zoo_npcs.map"))), 0u);
    EXPECT_THAT(text("zoo_npcs.log"), testing::Not(HasSubstr("clip brushes")));

    ASSERT_EQ(run({bsp, "-brenmoor"}), 0);
    const size_t clips = clipBrushes(parseMap(text("zoo_npcs.map")));
    EXPECT_GT(clips, 0u);
    EXPECT_THAT(
        text("zoo_npcs.log"), HasSubstr("clip brushes rebuilt from the player clip hull: " + std::to_string(clips)));
}

TEST_F(CommandLine, ExternalTexturesGiveNoWad)
{
    ASSERT_EQ(run({place("boxroom_external")}), 0);
    EXPECT_FALSE(exists("boxroom_external_btm.wad"));
    EXPECT_THAT(text("boxroom_external.log"), HasSubstr("no embedded textures"));
}

TEST_F(CommandLine, FailuresLeaveAnErrFileAndNoMap)
{
    const std::string bsp = place("boxroom");
    EXPECT_EQ(run({bsp, "-fast"}), 1);
    EXPECT_THAT(text("boxroom.err"), HasSubstr("unknown argument '-fast'"));
    EXPECT_FALSE(exists("boxroom.map"));

    std::string bytes = readText(bsp);
    bytes[0] = 29;
    std::ofstream(bsp, std::ios::binary | std::ios::trunc) << bytes;
    EXPECT_EQ(run({bsp}), 1);
    EXPECT_THAT(text("boxroom.err"), HasSubstr("version 29"));
    EXPECT_THAT(console_, HasSubstr("version 29"));
    EXPECT_FALSE(exists("boxroom.map"));
    EXPECT_TRUE(noTemporaryFiles());

    EXPECT_EQ(run({(dir_ / "missing.bsp").string()}), 1);
    EXPECT_TRUE(exists("missing.err"));
    EXPECT_EQ(run({}), 1);
    EXPECT_THAT(console_, HasSubstr("usage"));
}

// Outputs are named by cutting four characters, so an input with an output's extension would be replaced.
TEST_F(CommandLine, RefusesAnInputAnOutputWouldOverwriteAndAFolder)
{
    for (const char* name : {"notes.log", "notes.err", "notes.map"}) {
        const std::string input = (dir_ / name).string();
        std::ofstream(input, std::ios::binary) << "my notes";
        EXPECT_EQ(run({input}), 1) << name;
        EXPECT_EQ(console_,
            "bsptwomap: error: the output " + input + " would overwrite the input; rename the input to end in .bsp\n");
        EXPECT_EQ(text(name), "my notes");
        fs::remove(input);
        EXPECT_TRUE(fs::is_empty(dir_)) << name;
    }
    const std::string folder = (dir_ / "maps.bsp").string();
    fs::create_directory(folder);
    EXPECT_EQ(run({folder}), 1);
    EXPECT_EQ(console_, "bsptwomap: error: " + folder + " is a folder, not a .bsp file\n");
    EXPECT_FALSE(exists("maps.err"));
}

// A .bsp name is right; what is in the way is named instead.
TEST_F(CommandLine, RefusalsNameWhatIsInTheWay)
{
    const std::string bsp = place("boxroom");
    const std::string original = readText(bsp);
#ifndef _WIN32 // links need a privilege on Windows, and Wine makes none
    const fs::path wad = dir_ / "boxroom_btm.wad";
    fs::create_symlink(bsp, wad);
    EXPECT_EQ(run({bsp}), 1);
    EXPECT_EQ(console_,
        "bsptwomap: error: the output " + wad.string() +
            " is the input under another name (a link); move or remove it\n");
    fs::remove(wad);
#endif
    const fs::path map = dir_ / "boxroom.map";
    fs::create_directory(map);
    EXPECT_EQ(run({bsp}), 1);
    EXPECT_EQ(
        console_, "bsptwomap: error: a folder is in the way of the output " + map.string() + "; move or rename it\n");
    EXPECT_EQ(readText(bsp), original);
    EXPECT_FALSE(exists("boxroom.err"));
}

TEST_F(CommandLine, AMapOrLogInTheWayIsKeptUnderAFreshBackupName)
{
    const std::string bsp = place("boxroom");
    std::ofstream(dir_ / "boxroom.map", std::ios::binary) << "my own source";
    std::ofstream(dir_ / "boxroom.log", std::ios::binary) << "the compile log";
    ASSERT_EQ(run({bsp}), 0);
    EXPECT_EQ(text("boxroom.map.bak"), "my own source");
    EXPECT_EQ(text("boxroom.log.bak"), "the compile log");
    EXPECT_THAT(console_, HasSubstr("bsptwomap: kept the existing boxroom.map as boxroom.map.bak\n"));
    EXPECT_THAT(console_, HasSubstr("bsptwomap: kept the existing boxroom.log as boxroom.log.bak\n"));
    EXPECT_THAT(text("boxroom.log"), HasSubstr("kept the existing boxroom.map as boxroom.map.bak"));
    const std::string firstMap = text("boxroom.map");

    // A later run keeps the earlier backups too; a failing run keeps the log it replaces.
    ASSERT_EQ(run({bsp}), 0);
    EXPECT_EQ(text("boxroom.map.bak"), "my own source");
    EXPECT_EQ(text("boxroom.map.bak2"), firstMap);
    EXPECT_EQ(text("boxroom.log.bak"), "the compile log");
    EXPECT_TRUE(exists("boxroom.log.bak2"));
    EXPECT_EQ(run({bsp, "-fast"}), 1);
    EXPECT_TRUE(exists("boxroom.log.bak3"));
    EXPECT_EQ(text("boxroom.map"), firstMap);
}

} // namespace
} // namespace btm::test
