#include "config/Configuration.h"
#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/RegularFile.h"
#include "config/ConsoleColor.h"
#include "config/WorkingFolders.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace ferrowind;

namespace {

namespace fs = std::filesystem;

const std::string kSeparator(1, base::kPathSeparator);

TEST(ConfigurationTest, FirstStartInAnEmptyProgramFolder)
{
    TempFolder temp;
    const WorkingFolders folders = foldersUnder(temp.path());
    ASSERT_TRUE(createWorkingFolders(folders));

    EXPECT_EQ(folders.programDir, temp.path() + kSeparator);
    EXPECT_EQ(folders.rootDir, temp.path("Ferrowind") + kSeparator);
    EXPECT_EQ(folders.tempDir, temp.path("Ferrowind/Temp") + kSeparator);
    EXPECT_EQ(folders.gsPresetsDir, temp.path("Ferrowind/GSPresets") + kSeparator);
    EXPECT_EQ(folders.sPresetsDir, temp.path("Ferrowind/SPresets") + kSeparator);
    for (const std::string* folder : {&folders.rootDir, &folders.tempDir, &folders.gsPresetsDir, &folders.sPresetsDir})
        EXPECT_TRUE(fs::is_directory(*folder)) << *folder;

    const Configuration configuration = readConfiguration(configurationPath(folders));
    EXPECT_EQ(configuration, Configuration{});
    EXPECT_EQ(configuration.textColor, 7);
    EXPECT_EQ(configuration.backColor, 0);
    EXPECT_EQ(consoleColorCode(configuration.backColor, configuration.textColor), "07");

    writeConfiguration(configurationPath(folders), configuration);
    EXPECT_EQ(readBytes(temp.path("Ferrowind/Configurations.ini")),
        "[GSPATH]\r\nCSG=\r\nBSP=\r\nVIS=\r\nRAD=\r\nhl=\r\nWADroot=\r\nBSPout=\r\n"
        "[SPATH]\r\nBSP=\r\nVIS=\r\nRAD=\r\nhl2=\r\nBSPout=\r\nBin=\r\n"
        "[SYSTEMS]\r\nTextColor=7\r\nBackColor=0\r\nLogViewer=\r\n");
}

TEST(ConfigurationTest, RoundTripKeepsEveryField)
{
    TempFolder temp;
    const std::string ini = temp.path("Configurations.ini");
    Configuration written;
    GoldSourcePaths& gs = written.goldSource;
    SourcePaths& s = written.source;
    int n = 0;
    for (std::string* field : {&gs.csgTool, &gs.bspTool, &gs.visTool, &gs.radTool, &gs.gameExe, &gs.wadRoot, &gs.bspOut,
             &s.bspTool, &s.visTool, &s.radTool, &s.gameExe, &s.bspOut, &s.bin, &written.logViewer})
        *field = "/tools " + std::to_string(++n) + "/R&D 50%";
    written.textColor = 14;
    written.backColor = -1;

    writeConfiguration(ini, written);
    EXPECT_EQ(readConfiguration(ini), written);
}

#ifndef _WIN32
// Every instance writes the configuration as it ends: one holding the values already in the file leaves the file
// itself in place, while a changed value still replaces it whole.
TEST(ConfigurationTest, AWriteOfTheValuesTheFileHoldsLeavesItInPlace)
{
    TempFolder temp;
    const std::string ini = temp.path("Configurations.ini");
    const auto fileId = [&ini] {
        struct stat status {};
        EXPECT_EQ(stat(ini.c_str(), &status), 0);
        return status.st_ino;
    };
    Configuration configuration;
    configuration.goldSource.csgTool = "/hl/hlcsg";
    writeConfiguration(ini, configuration);
    const auto written = fileId();
    const std::string bytes = readBytes(ini);

    writeConfiguration(ini, configuration);
    EXPECT_EQ(fileId(), written);
    EXPECT_EQ(readBytes(ini), bytes);

    configuration.logViewer = "/usr/bin/viewer";
    writeConfiguration(ini, configuration);
    EXPECT_NE(fileId(), written);
    EXPECT_EQ(readConfiguration(ini), configuration);
}
#endif

TEST(ConfigurationTest, WriteKeepsForeignLinesAndUpdatesKeysInPlace)
{
    TempFolder temp;
    const std::string ini = temp.write("Configurations.ini",
        "; hand-written notes\r\n"
        "[SYSTEMS]\r\n"
        "TextColor=2\r\n"
        "Theme=dark\r\n"
        "\r\n"
        "[Extra]\r\n"
        "key=value\r\n");
    Configuration configuration;
    configuration.textColor = 10;
    configuration.goldSource.csgTool = "/hl/hlcsg";
    writeConfiguration(ini, configuration);
    EXPECT_EQ(readBytes(ini),
        "; hand-written notes\r\n"
        "[SYSTEMS]\r\n"
        "TextColor=10\r\n"
        "Theme=dark\r\n"
        "BackColor=0\r\n"
        "LogViewer=\r\n"
        "\r\n"
        "[Extra]\r\n"
        "key=value\r\n"
        "[GSPATH]\r\nCSG=/hl/hlcsg\r\nBSP=\r\nVIS=\r\nRAD=\r\nhl=\r\nWADroot=\r\nBSPout=\r\n"
        "[SPATH]\r\nBSP=\r\nVIS=\r\nRAD=\r\nhl2=\r\nBSPout=\r\nBin=\r\n");
}

// The working folders moved to the user's data folder: a configuration left in the program folder is read
// until the user's own exists.
TEST(ConfigurationTest, StartingConfigurationIsTheUsersOwnOrTheOneLeftInTheProgramFolder)
{
    struct Case {
        const char* name;
        bool inProgramFolder;
        bool inUserFolder;
        const char* read; // "program", "user"
    };
    const Case cases[] = {
        {"left in the program folder", true, false, "program"},
        {"the user's own is there", true, true, "user"},
        {"neither", false, false, "user"},
        {"only the user's", false, true, "user"},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        const WorkingFolders user = foldersUnder(temp.path("user"));
        const std::string programIni = temp.path("program/Ferrowind/Configurations.ini");
        if (c.inProgramFolder)
            temp.write("program/Ferrowind/Configurations.ini", "[GSPATH]\r\nCSG=/left/csg\r\n");
        if (c.inUserFolder)
            temp.write("user/Ferrowind/Configurations.ini", "[GSPATH]\r\nCSG=/user/csg\r\n");
        const std::string path = startingConfigurationPath(user, temp.path("program") + base::kPathSeparator);
        EXPECT_EQ(path, std::string(c.read) == "program" ? programIni : configurationPath(user)) << c.name;
    }
    TempFolder portable;
    const WorkingFolders own = foldersUnder(portable.path());
    EXPECT_EQ(startingConfigurationPath(own, portable.path()), configurationPath(own));
}

TEST(ConfigurationTest, FailedWriteThrowsAndKeepsTheFolderInItsPlace)
{
    TempFolder temp;
    temp.makeFolder("Ferrowind/Configurations.ini");
    EXPECT_THROW(writeConfiguration(temp.path("Ferrowind/Configurations.ini"), Configuration{}), base::WriteError);
    EXPECT_TRUE(fs::is_directory(temp.path("Ferrowind/Configurations.ini")));
}

#ifndef _WIN32
// A pipe under the configuration's name held the program at start for ever.
TEST(ConfigurationTest, APipeIsRefusedWithoutWaiting)
{
    TempFolder temp;
    const std::string ini = temp.path("Configurations.ini");
    ASSERT_EQ(mkfifo(ini.c_str(), 0644), 0);
    try {
        readConfiguration(ini);
        FAIL() << "no error";
    } catch (const base::ReadError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to read " + ini + ": it is a pipe (FIFO), not a regular file");
    }
}
#endif

struct ColorCase {
    const char* stored;
    int expected;
};

class StoredColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(StoredColorTest, TextColorReads)
{
    TempFolder temp;
    const std::string ini = temp.write("c.ini", std::string("[systems]\r\ntextcolor=") + GetParam().stored + "\r\n");
    EXPECT_EQ(readConfiguration(ini).textColor, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredColorTest,
    ::testing::Values(ColorCase{"abc", 7}, ColorCase{"0x0C", 12}, ColorCase{"$C", 12}, ColorCase{"20", 20},
        ColorCase{"  3  ", 3}, ColorCase{"", 7}, ColorCase{"-2", -2}));

TEST(ConfigurationTest, OddValues)
{
    TempFolder temp;
    const std::string ini = temp.write("c.ini",
        "[GSPATH]\r\nCSG=   /hl/hlcsg \t\r\nhl=\"/games/hl\"\r\n"
        "[SYSTEMS]\r\nBackColor=bad\r\nTextColor=20\r\n");
    const Configuration configuration = readConfiguration(ini);
    EXPECT_EQ(configuration.goldSource.csgTool, "/hl/hlcsg");
    EXPECT_EQ(configuration.goldSource.gameExe, "/games/hl");
    EXPECT_EQ(configuration.backColor, 0);
    EXPECT_EQ(configuration.textColor, 20);
    EXPECT_EQ(consoleColorCode(configuration.backColor, configuration.textColor), "00");
}

TEST(ColorDigitTest, IndexToDigit)
{
    const std::string digits = "0123456789ABCDEF";
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(colorDigit(i), digits[static_cast<size_t>(i)]) << i;
    for (int odd : {-1, 16, 20, -2147483647 - 1, 2147483647})
        EXPECT_EQ(colorDigit(odd), '0') << odd;
    EXPECT_EQ(consoleColorCode(1, 14), "1E");
}

#ifdef _WIN32
TEST(UserDataFolderTest, IsAnAbsoluteLocalAppData)
{
    EXPECT_EQ(userDataFolder("C:\\Users\\u\\AppData\\Local"), "C:\\Users\\u\\AppData\\Local\\");
    EXPECT_EQ(userDataFolder("AppData\\Local"), "");
    EXPECT_EQ(userDataFolder(nullptr), "");
}

TEST(WorkingBaseTest, WritableProgramFolderIsUsed)
{
    TempFolder temp;
    EXPECT_EQ(chooseWorkingBase(temp.path(), temp.path("local").c_str()), temp.path() + kSeparator);
}

// A program folder that cannot be written, like one under Program Files; a missing one stands in for it,
// since Wine and administrators write everywhere.
TEST(WorkingBaseTest, UnwritableProgramFolderGivesLocalAppData)
{
    TempFolder temp;
    const std::string chosen = chooseWorkingBase(temp.path("missing"), temp.path("local").c_str());
    EXPECT_EQ(chosen, temp.path("local") + kSeparator);
    EXPECT_TRUE(fs::is_directory(chosen));
    EXPECT_EQ(foldersUnder(chosen).rootDir, temp.path("local/Ferrowind") + kSeparator);
}
#else
TEST(UserDataFolderTest, PrefersAnAbsoluteXdgDataHome)
{
    EXPECT_EQ(userDataFolder("/data", "/home/u"), "/data/ferrowind/");
    EXPECT_EQ(userDataFolder("relative", "/home/u"), "/home/u/.local/share/ferrowind/");
    EXPECT_EQ(userDataFolder(nullptr, "/home/u"), "/home/u/.local/share/ferrowind/");
    EXPECT_EQ(userDataFolder(nullptr, nullptr), "");
}

TEST(WorkingBaseTest, WritableProgramFolderIsUsed)
{
    TempFolder temp;
    EXPECT_EQ(chooseWorkingBase(temp.path(), temp.path("xdg").c_str(), "/nonexistent-home"), temp.path() + "/");
}

TEST(WorkingBaseTest, InstalledProgramFolderGivesTheUserDataFolderThoughWritable)
{
    TempFolder temp;
    const std::string program = temp.makeFolder("usr/bin");
    for (const std::string& installed : {program, program + "/", temp.path("usr/../usr/bin")})
        EXPECT_EQ(chooseWorkingBase(program, temp.path("xdg").c_str(), "/nonexistent-home", installed),
            temp.path("xdg") + "/ferrowind/")
            << installed;
    EXPECT_EQ(
        chooseWorkingBase(program, temp.path("xdg").c_str(), "/nonexistent-home", temp.path("usr")), program + "/");
    EXPECT_EQ(chooseWorkingBase(program, nullptr, nullptr, program), program + "/");
}

TEST(WorkingBaseTest, ReadOnlyProgramFolderGivesTheUserDataFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempFolder temp;
    const std::string program = temp.makeFolder("program");
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string chosen = chooseWorkingBase(program, temp.path("xdg").c_str(), "/nonexistent-home");
    fs::permissions(program, fs::perms::owner_all);
    EXPECT_EQ(chosen, temp.path("xdg") + "/ferrowind/");
    EXPECT_TRUE(fs::is_directory(chosen));
}
#endif

} // namespace
