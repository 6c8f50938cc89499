#include "presets/PresetFile.h"

#include "base/AtomicFile.h"
#include "goldsource/GoldSourceOptions.h"
#include "presets/PresetFolder.h"
#include "source/SourceOptions.h"
#include "support/FullDisk.h"
#include "support/Golden.h"
#include "support/SpecialFiles.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace ferrowind;

namespace {

// Written by hand: CR LF and bare LF lines, blanks around names and values, quotes, lower-case section
// names, a comment, and sections and keys of its own.
constexpr const char* kHandWritten = "; fast compile for layout work\r\n"
                                     "[Other]\r\nCSG=not this one\r\n\r\n"
                                     "[p]\r\n  csg =  -wadautodetect  \r\nBSP=\"  -chart \"\n"
                                     "VIS='-fast'\r\nunknown=keep me\r\n"
                                     "[U]\r\nCSG=0\r\nBSP=0x0\r\nVIS=$1\r\nRAD=yes\r\nHL=-1\r\n"
                                     "[a]\r\np0=2\r\np1=0X1\r\np2=true\r\nlog= 1 \r\nnote=mine\r\n";

class PresetFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::string path = temp.path("Fast.gsp");
};

TEST_F(PresetFileTest, HandWrittenFileLoadsByTheProfileRules)
{
    temp.write("Fast.gsp", kHandWritten);
    GoldSourceOptions expected;
    expected.csgParams = "-wadautodetect";
    expected.bspParams = "  -chart ";
    expected.visParams = "-fast";
    expected.runCsg = false;
    expected.runBsp = false;
    expected.deleteP0 = true;
    expected.deleteP1 = true;
    expected.deleteLog = true;
    EXPECT_EQ(loadPreset(path, goldSourceFields()), expected);
}

TEST_F(PresetFileTest, SaveOverAHandWrittenFileChangesOnlyTheTableKeys)
{
    temp.write("Fast.gsp", kHandWritten);
    GoldSourceOptions options;
    options.csgParams = " \t-nowadtextures  -chart ";
    options.runVis = false;
    options.shutdown = true;
    savePreset(path, goldSourceFields(), options);
    expectGolden("preset_goldsource_update.gsp", readBytes(path));
}

TEST_F(PresetFileTest, NewFilesHoldEveryKeyInTableOrder)
{
    GoldSourceOptions goldSource;
    goldSource.radParams = "  -extra -bounce 4 ";
    goldSource.runCsg = false;
    goldSource.copyPts = true;
    savePreset(path, goldSourceFields(), goldSource);
    expectGolden("preset_goldsource_new.gsp", readBytes(path));
    EXPECT_EQ(loadPreset(path, goldSourceFields())->radParams, "-extra -bounce 4");

    SourceOptions source;
    source.gameParams = "-dev +map %MAPNAME%";
    source.runVis = false;
    source.beep = true;
    savePreset(temp.path("Full.sp"), sourceFields(), source);
    expectGolden("preset_source_new.sp", readBytes(temp.path("Full.sp")));
    EXPECT_EQ(loadPreset(temp.path("Full.sp"), sourceFields()), source);
}

TEST_F(PresetFileTest, NoFileLoadsNothingAnEmptyOneTheDefaults)
{
    EXPECT_EQ(loadPreset(path, goldSourceFields()), std::nullopt);
    temp.makeFolder("Fast.gsp");
    EXPECT_EQ(loadPreset(path, goldSourceFields()), std::nullopt);
    temp.write("Full.sp");
    EXPECT_EQ(loadPreset(temp.path("Full.sp"), sourceFields()), SourceOptions{});
    temp.write("Garbage.sp", "\x01\x02 not an ini file at all\n==\n[");
    EXPECT_EQ(loadPreset(temp.path("Garbage.sp"), sourceFields()), SourceOptions{});
}

#ifndef _WIN32
// Saving over a pipe or device read it first and waited there for ever; loading one is passed over.
TEST_F(PresetFileTest, AnythingButAFileIsNeitherLoadedNorSavedOver)
{
    for (const SpecialFile& file : makeSpecialFiles(temp)) {
        EXPECT_EQ(loadPreset(file.path, goldSourceFields()), std::nullopt) << file.kind;
        try {
            savePreset(file.path, goldSourceFields(), GoldSourceOptions{});
            ADD_FAILURE() << file.kind << " was written";
        } catch (const base::WriteError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + file.path + ": " + file.reason);
        }
    }
}
#endif

struct FlagCase {
    const char* stored;
    bool checkedWhenDefaultChecked;
    bool checkedWhenDefaultUnchecked;
};

class PresetFlagTest : public PresetFileTest, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(PresetFlagTest, FlagIsANumberNonZeroChecked)
{
    temp.write("Fast.gsp", std::string("[U]\r\nCSG=") + GetParam().stored + "\r\n[A]\r\na0=" + GetParam().stored);
    const auto options = loadPreset(path, goldSourceFields());
    EXPECT_EQ(options->runCsg, GetParam().checkedWhenDefaultChecked);
    EXPECT_EQ(options->copyPts, GetParam().checkedWhenDefaultUnchecked);
}

INSTANTIATE_TEST_SUITE_P(Values, PresetFlagTest,
    ::testing::Values(FlagCase{"1", true, true}, FlagCase{"0", false, false}, FlagCase{"2", true, true},
        FlagCase{"-1", true, true}, FlagCase{"0x1", true, true}, FlagCase{"0X0", false, false},
        FlagCase{"$a", true, true}, FlagCase{"\"0\"", false, false}, FlagCase{"yes", true, false},
        FlagCase{"true", true, false}, FlagCase{"", true, false}, FlagCase{"1.0", true, false},
        FlagCase{"0x", true, false}, FlagCase{"99999999999", true, false}));

TEST_F(PresetFileTest, LongParametersAreSavedWholeAndLoadCut)
{
    GoldSourceOptions options;
    options.bspParams = std::string(3000, 'x');
    savePreset(path, goldSourceFields(), options);
    EXPECT_NE(readBytes(path).find(options.bspParams), std::string::npos);
    EXPECT_EQ(loadPreset(path, goldSourceFields())->bspParams, std::string(2047, 'x'));
}

TEST_F(PresetFileTest, HalfLifeFileLoadsOnTheHalfLife2PageWithItsMatchingKeys)
{
    temp.write(
        "Fast.gsp", "[P]\r\nCSG=-csg\r\nBSP=-bsp\r\nHL=-game\r\n[U]\r\nBSP=0\r\n[A]\r\na0=1\r\na1=1\r\na5=1\r\n");
    SourceOptions expected;
    expected.bspParams = "-bsp";
    expected.gameParams = "-game";
    expected.runBsp = false;
    expected.notCopyBsp = true;
    expected.shutdown = true;
    EXPECT_EQ(loadPreset(path, sourceFields()), expected);
}

TEST_F(PresetFileTest, RefusedWriteNamesThePathAndLeavesTheOldFileWhole)
{
    const std::string missing = temp.path("gone/Fast.gsp");
    try {
        savePreset(missing, goldSourceFields(), GoldSourceOptions{});
        FAIL() << "no error";
    } catch (const base::WriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + missing + ": its folder does not exist");
    }
#ifndef _WIN32
    temp.write("Fast.gsp", kHandWritten);
    {
        FullDisk full(64);
        EXPECT_THROW(savePreset(path, goldSourceFields(), GoldSourceOptions{}), base::WriteError);
    }
    EXPECT_EQ(readBytes(path), kHandWritten);
#endif
}

TEST_F(PresetFileTest, ListIsDefaultThenTheFolderFilesLessTheirExtension)
{
    const PresetFolder folder{temp.path("presets/"), ".sp"};
    EXPECT_EQ(presetListEntries(folder), std::vector<std::string>{"Default"});
    for (const char* name : {"Fast.sp", "Default.sp", ".sp", "Half.gsp"})
        temp.write(std::string("presets/") + name);
    temp.makeFolder("presets/Folder.sp");
    const auto entries = presetListEntries(folder);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front(), "Default");
    EXPECT_THAT(std::vector<std::string>(entries.begin() + 1, entries.end()),
        ::testing::UnorderedElementsAre("Fast", "Default", ""));
    EXPECT_EQ(folder.pathOf("Fast"), temp.path("presets/Fast.sp"));
}

} // namespace
