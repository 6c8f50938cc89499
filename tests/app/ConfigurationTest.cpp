#include "app/ColorDigit.h"
#include "app/Configuration.h"
#include "platform/ProfileFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

TFerrowindSettings Load(const std::string& ini)
{
    TFerrowindSettings settings;
    settings.TextColor = -5; // proves the read sets the defaults itself
    settings.BackColor = -5;
    ReadConfiguration(ini, settings);
    return settings;
}

TEST(ConfigurationTest, FirstStartInAnEmptyProgramFolder)
{
    TempFolder temp;
    TFerrowindFolders folders;
    TFerrowindSettings settings;
    settings.TextColor = 3;
    ASSERT_TRUE(System_Ini(0, temp.Path(), folders, settings));

    EXPECT_EQ(folders.ProgramDir, temp.Path() + "/");
    EXPECT_EQ(folders.RootDir, temp.Path() + "/Ferrowind/");
    EXPECT_EQ(folders.TempDir, temp.Path() + "/Ferrowind/Temp/");
    EXPECT_EQ(folders.GSPresetsDir, temp.Path() + "/Ferrowind/GSPresets/");
    EXPECT_EQ(folders.SPresetsDir, temp.Path() + "/Ferrowind/SPresets/");
    for (const std::string* folder : {&folders.RootDir, &folders.TempDir, &folders.GSPresetsDir, &folders.SPresetsDir})
        EXPECT_TRUE(fs::is_directory(*folder)) << *folder;

    for (const std::string* path : {&settings.GSCsgTool, &settings.GSBspTool, &settings.GSVisTool, &settings.GSRadTool, &settings.GSGameExe,
                                    &settings.GSWadRoot, &settings.GSBspOut, &settings.SBspTool, &settings.SVisTool, &settings.SRadTool,
                                    &settings.SGameExe, &settings.SBspOut, &settings.SBin, &settings.LogViewer})
        EXPECT_EQ(*path, "");
    EXPECT_EQ(settings.TextColor, 7);
    EXPECT_EQ(settings.BackColor, 0);
    EXPECT_EQ(ConsoleColorCode(settings.BackColor, settings.TextColor), "07");

    ASSERT_TRUE(System_Ini(1, temp.Path(), folders, settings));
    EXPECT_EQ(ReadBytes(temp.Path("Ferrowind/Configurations.ini")), "[GSPATH]\r\nCSG=\r\nBSP=\r\nVIS=\r\nRAD=\r\nhl=\r\nWADroot=\r\nBSPout=\r\n"
                                                                    "[SPATH]\r\nBSP=\r\nVIS=\r\nRAD=\r\nhl2=\r\nBSPout=\r\nBin=\r\n"
                                                                    "[SYSTEMS]\r\nTextColor=7\r\nBackColor=0\r\nLogViewer=\r\n");
}

TEST(ConfigurationTest, OtherModesNeitherReadNorWrite)
{
    TempFolder temp;
    TFerrowindFolders folders;
    TFerrowindSettings settings;
    settings.TextColor = 3;
    EXPECT_TRUE(System_Ini(2, temp.Path(), folders, settings));
    EXPECT_EQ(settings.TextColor, 3);
    EXPECT_FALSE(fs::exists(temp.Path("Ferrowind/Configurations.ini")));
    EXPECT_TRUE(fs::is_directory(folders.TempDir));
}

TEST(ConfigurationTest, RoundTripKeepsEveryField)
{
    TempFolder temp;
    const std::string ini = temp.Path("Configurations.ini");
    TFerrowindSettings written;
    std::string TFerrowindSettings::*paths[] = {
        &TFerrowindSettings::GSCsgTool, &TFerrowindSettings::GSBspTool, &TFerrowindSettings::GSVisTool, &TFerrowindSettings::GSRadTool,
        &TFerrowindSettings::GSGameExe, &TFerrowindSettings::GSWadRoot, &TFerrowindSettings::GSBspOut,  &TFerrowindSettings::SBspTool,
        &TFerrowindSettings::SVisTool,  &TFerrowindSettings::SRadTool,  &TFerrowindSettings::SGameExe,  &TFerrowindSettings::SBspOut,
        &TFerrowindSettings::SBin,      &TFerrowindSettings::LogViewer,
    };
    int n = 0;
    for (auto field : paths)
        written.*field = "/tools " + std::to_string(++n) + "/R&D 50%";
    written.TextColor = 14;
    written.BackColor = -1;

    WriteConfiguration(ini, written);
    const TFerrowindSettings read = Load(ini);
    for (auto field : paths)
        EXPECT_EQ(read.*field, written.*field);
    EXPECT_EQ(read.TextColor, 14);
    EXPECT_EQ(read.BackColor, -1);
}

TEST(ConfigurationTest, WriteKeepsForeignLinesAndUpdatesKeysInPlace)
{
    TempFolder temp;
    const std::string ini = temp.Write("Configurations.ini", "; hand-written notes\r\n"
                                                             "[SYSTEMS]\r\n"
                                                             "TextColor=2\r\n"
                                                             "Theme=dark\r\n"
                                                             "\r\n"
                                                             "[Extra]\r\n"
                                                             "key=value\r\n");
    TFerrowindSettings settings;
    settings.TextColor = 10;
    settings.GSCsgTool = "/hl/hlcsg";
    WriteConfiguration(ini, settings);
    EXPECT_EQ(ReadBytes(ini), "; hand-written notes\r\n"
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

TEST(ConfigurationTest, FailedWriteIsReportedAsFalse)
{
    TempFolder temp;
    temp.MakeFolder("Ferrowind/Configurations.ini");
    TFerrowindFolders folders;
    TFerrowindSettings settings;
    EXPECT_FALSE(System_Ini(1, temp.Path(), folders, settings));
    EXPECT_THROW(WriteConfiguration(temp.Path("Ferrowind/Configurations.ini"), settings), ProfileWriteError);
}

struct ColorCase {
    const char* stored;
    int expected;
};

class StoredColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(StoredColorTest, TextColorReads)
{
    TempFolder temp;
    const std::string ini = temp.Write("c.ini", std::string("[systems]\r\ntextcolor=") + GetParam().stored + "\r\n");
    EXPECT_EQ(Load(ini).TextColor, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredColorTest,
                         ::testing::Values(ColorCase{"abc", 7}, ColorCase{"0x0C", 12}, ColorCase{"$C", 12}, ColorCase{"20", 20},
                                           ColorCase{"  3  ", 3}, ColorCase{"", 7}, ColorCase{"-2", -2}));

TEST(ConfigurationTest, OddValues)
{
    TempFolder temp;
    const std::string ini = temp.Write("c.ini", "[GSPATH]\r\nCSG=   /hl/hlcsg \t\r\nhl=\"/games/hl\"\r\n"
                                                "[SYSTEMS]\r\nBackColor=bad\r\nTextColor=20\r\n");
    const TFerrowindSettings settings = Load(ini);
    EXPECT_EQ(settings.GSCsgTool, "/hl/hlcsg");
    EXPECT_EQ(settings.GSGameExe, "/games/hl");
    EXPECT_EQ(settings.BackColor, 0);
    EXPECT_EQ(settings.TextColor, 20);
    EXPECT_EQ(ConsoleColorCode(settings.BackColor, settings.TextColor), "00");
}

TEST(ColorDigitTest, IndexToDigit)
{
    const std::string digits = "0123456789ABCDEF";
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ColorDigit(i), digits[static_cast<size_t>(i)]) << i;
    for (int odd : {-1, 16, 20, -2147483647 - 1, 2147483647})
        EXPECT_EQ(ColorDigit(odd), '0') << odd;
    EXPECT_EQ(ConsoleColorCode(1, 14), "1E");
}

TEST(WorkingBaseTest, WritableProgramFolderIsUsed)
{
    TempFolder temp;
    EXPECT_EQ(ChooseWorkingBase(temp.Path(), temp.Path("xdg").c_str(), "/nonexistent-home"), temp.Path() + "/");
}

#ifndef _WIN32
TEST(WorkingBaseTest, ReadOnlyProgramFolderGivesTheUserDataFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempFolder temp;
    const std::string program = temp.MakeFolder("program");
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string chosen = ChooseWorkingBase(program, temp.Path("xdg").c_str(), "/nonexistent-home");
    fs::permissions(program, fs::perms::owner_all);
    EXPECT_EQ(chosen, temp.Path("xdg") + "/ferrowind/");
    EXPECT_TRUE(fs::is_directory(chosen));
}
#endif

} // namespace
