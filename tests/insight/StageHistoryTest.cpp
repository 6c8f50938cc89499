#include "insight/StageHistory.h"

#include "base/AtomicFile.h"
#include "support/SpecialFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using insight::StageHistory;
using insight::ToolFamily;

TEST(StageHistory, EstimatesTheTimeLeftFromTheLastCompileOfTheSameMap)
{
    StageHistory history;
    history.recordStage(ToolFamily::GoldSource, "maps/a.map", "CSG", 10);
    history.recordStage(ToolFamily::GoldSource, "maps/a.map", "BSP", 20);
    history.recordStage(ToolFamily::GoldSource, "maps/a.map", "RAD", 100);
    history.recordStage(ToolFamily::GoldSource, "maps/a.map", "BSP", 30); // the newer time replaces the older
    history.recordStage(ToolFamily::Source, "maps/a.map", "BSP", 999); // another engine, another map

    EXPECT_EQ(history.timeLeft(ToolFamily::GoldSource, "maps/a.map", "CSG", 4), 6 + 30 + 100);
    EXPECT_EQ(history.timeLeft(ToolFamily::GoldSource, "maps/a.map", "BSP", 45), 0 + 100);
    EXPECT_EQ(history.timeLeft(ToolFamily::GoldSource, "maps/a.map", "VIS", 0), std::nullopt);
    EXPECT_EQ(history.timeLeft(ToolFamily::GoldSource, "maps/b.map", "CSG", 0), std::nullopt);
    EXPECT_EQ(history.timeLeft(ToolFamily::Source, "maps/a.map", "BSP", 0), 999);
}

TEST(StageHistory, SavesAndLoadsEveryMapAndSkipsWhatCannotBeOneLine)
{
    TempFolder folder;
    const std::string path = folder.path(insight::kStageHistoryFileName);
    StageHistory history;
    history.recordStage(ToolFamily::GoldSource, "C:\\maps\\R&D 50% ^x.map", "CSG", 1.5);
    history.recordStage(ToolFamily::Source, "room.vmf", "VRAD", 3600);
    history.recordStage(ToolFamily::GoldSource, "two\nlines.map", "CSG", 1);
    history.recordStage(ToolFamily::GoldSource, "tab\t.map", "CSG", 1);
    history.recordStage(ToolFamily::GoldSource, "n.map", "CSG", -1);
    history.save(path);

    const StageHistory loaded = StageHistory::load(path);
    ASSERT_EQ(loaded.stages(ToolFamily::GoldSource, "C:\\maps\\R&D 50% ^x.map").size(), 1u);
    EXPECT_EQ(loaded.stages(ToolFamily::GoldSource, "C:\\maps\\R&D 50% ^x.map")[0].seconds, 1.5);
    EXPECT_EQ(loaded.stages(ToolFamily::Source, "room.vmf")[0].name, "VRAD");
    EXPECT_TRUE(loaded.stages(ToolFamily::GoldSource, "n.map").empty());
    EXPECT_EQ(readBytes(path).find("lines"), std::string::npos);
}

TEST(StageHistory, AMissingOrDamagedFileLosesNothingElse)
{
    using namespace std::string_literals;
    TempFolder folder;
    EXPECT_TRUE(StageHistory::load(folder.path("none.txt")).stages(ToolFamily::GoldSource, "a").empty());
    EXPECT_TRUE(StageHistory::load(folder.makeFolder("a folder")).stages(ToolFamily::GoldSource, "a").empty());

    const std::string path = folder.write("StageTimes.txt",
        "goldsource\ta.map\tCSG\t2.00\r\n"
        "garbage\n\xff\xfe\0\n"
        "goldsource\ta.map\tBSP\tnan\n"
        "goldsource\ta.map\tBSP\t1e999\n"
        "quake\ta.map\tBSP\t1\n"
        "goldsource\ta.map\tBSP\n"
        "goldsource\ta.map\tVIS\t3.5\textra\n"
        "goldsource\ta.map\tRAD\t4.25"s);
    const StageHistory history = StageHistory::load(path);
    const auto stages = history.stages(ToolFamily::GoldSource, "a.map");
    ASSERT_EQ(stages.size(), 2u);
    EXPECT_EQ(stages[0].name, "CSG");
    EXPECT_EQ(stages[1].name, "RAD");
    EXPECT_EQ(stages[1].seconds, 4.25);
}

#ifndef _WIN32
// A pipe opened for reading waits for a writer: the compile must not hang before its first stage.
TEST(StageHistory, AnythingButARegularFileReadsAsNoTimesAndIsNeverWrittenThrough)
{
    TempFolder folder;
    for (const SpecialFile& file : makeSpecialFiles(folder)) {
        EXPECT_TRUE(StageHistory::load(file.path).stages(ToolFamily::GoldSource, "a").empty()) << file.kind;
        StageHistory history;
        history.recordStage(ToolFamily::GoldSource, "a.map", "CSG", 1);
        EXPECT_THROW(history.save(file.path), base::WriteError) << file.kind;
    }
}
#endif

TEST(StageHistory, AFailedSaveLeavesTheOldFileAndSaysWhy)
{
    TempFolder folder;
    StageHistory history;
    history.recordStage(ToolFamily::GoldSource, "a.map", "CSG", 1);
    EXPECT_THROW(history.save(folder.makeFolder("StageTimes.txt")), base::WriteError);
}

TEST(StageHistory, DurationsReadAsPeopleSayThem)
{
    EXPECT_EQ(StageHistory::formatDuration(-3), "0 s");
    EXPECT_EQ(StageHistory::formatDuration(12.4), "12 s");
    EXPECT_EQ(StageHistory::formatDuration(185), "3 min 05 s");
    EXPECT_EQ(StageHistory::formatDuration(3720), "1 h 02 min");
}

} // namespace
