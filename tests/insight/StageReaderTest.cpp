// How the reader takes bytes as a tool prints them, and output that tries to break it.
#include "insight/StageReader.h"
#include "insight/Counters.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using insight::RuleTable;
using insight::StageReader;
using insight::ToolFamily;

const RuleTable& goldSource() { return RuleTable::builtIn(ToolFamily::GoldSource); }

const char kMissingTexture[] = "Error: ::LoadLump() texture NOSUCHTEX not found!";

TEST(StageReader, LineEndsOfEveryKindEndTheMessageWhereverThePiecesSplitIt)
{
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
    };
    const std::string message = kMissingTexture;
    const std::vector<Case> cases{
        {"LF", {message + "\n"}},
        {"CR LF", {message + "\r\n"}},
        {"CR LF split between pieces", {message + "\r", "\n"}},
        {"message split in three", {"Error: ::LoadLu", "mp() texture NOSUCH", "TEX not found!\n"}},
        {"byte by byte", {}},
        {"no line end before the tool ends", {message}},
        {"after a progress update on the same line", {"\r     0 /     6" + message + "\n"}},
        {"after a count with its estimate", {"\r  5 /  42  (11%: est. time to completion <1 sec)   " + message + "\n"}},
    };
    for (const Case& c : cases) {
        StageReader reader(goldSource(), "csg");
        if (c.pieces.empty()) {
            for (char byte : message + "\r\n")
                reader.feed(std::string_view(&byte, 1));
        }
        for (const std::string& piece : c.pieces)
            reader.feed(piece);
        reader.finish();
        ASSERT_EQ(reader.findings().problems.size(), 1u) << c.name;
        EXPECT_EQ(reader.findings().problems[0].rule, "texture-not-loaded") << c.name;
        EXPECT_EQ(reader.findings().problems[0].locations.at(0).texture, "NOSUCHTEX") << c.name;
        EXPECT_TRUE(reader.findings().failed) << c.name;
    }
}

TEST(StageReader, ProgressComesFromEachKindOfCounter)
{
    struct Case {
        const char* output;
        std::optional<double> progress;
    };
    const Case cases[] = {
        {"\r    10 /    40", 0.25}, {"\r    30 /    40  (75%: est. time to completion 2/1/1 secs)   ", 0.75},
        {"10%...20%...30%...", 0.3}, // without estimates: the counter grows on its line
        {"BasePortalVis:\n10%....20%....", 0.2},
        {"PortalFlow:      0...1...2...3...4", 0.4}, // Source: tenths after the step's name
        {"0...1...2...3...4...5...6...7...8...9...10\n", 1.0},
        {"\r     0 /     0", std::nullopt}, // nothing to do: no fraction
        {"\r99999999999 / 3", std::nullopt}, // a number out of range
        {"Reduced 33 clipnodes to 33\nplanes  20/32768\n", std::nullopt}, // counts in lines are no progress
        {"Building... done\n", std::nullopt}, {"\r    50 /    40", 1.0}, // more done than planned is done
    };
    for (const Case& c : cases) {
        StageReader reader(goldSource(), "vis");
        reader.feed(c.output);
        EXPECT_EQ(reader.progress(), c.progress) << c.output;
    }
}

TEST(StageReader, AStepStartsItsProgressAgain)
{
    StageReader reader(goldSource(), "rad");
    reader.feed("BuildFacelights:\n\r    41 /    42\r");
    EXPECT_EQ(reader.step(), "BuildFacelights");
    reader.feed("\n (0.02 seconds)\nFinalLightFace:\n");
    EXPECT_EQ(reader.step(), "FinalLightFace");
    EXPECT_EQ(reader.progress(), 0.0);
}

TEST(StageReader, ALineWithoutEndKeepsItsStartAndMemoryStaysBounded)
{
    StageReader reader(goldSource(), "csg");
    reader.feed(std::string(kMissingTexture) + " ");
    const std::string megabyte(1 << 20, 'x');
    for (int i = 0; i < 16; ++i)
        reader.feed(megabyte); // 16 MiB without a line end: kept to kMaxLineBytes
    reader.feed("\nWarning: ::FindTexture() texture OTHER not found!\n");
    reader.finish();
    // The cut line no longer ends as the rule says, so only the next line is a known problem; the cut one is
    // still an error the tool printed.
    ASSERT_EQ(reader.findings().problems.size(), 2u);
    EXPECT_EQ(reader.findings().problems[0].rule, "tool-error");
    EXPECT_LE(reader.findings().problems[0].message.size(), StageReader::kMaxLineBytes);
    EXPECT_EQ(reader.findings().problems[1].locations.at(0).texture, "OTHER");
}

TEST(StageReader, CarriageReturnsAloneAreUpdatesNotMessages)
{
    StageReader reader(goldSource(), "csg");
    std::string updates;
    for (int i = 0; i < 10000; ++i)
        updates += "\r" + std::to_string(i) + " / 10000";
    reader.feed(updates);
    EXPECT_EQ(reader.progress(), 0.9999);
    reader.finish();
    EXPECT_TRUE(reader.findings().problems.empty());
}

TEST(StageReader, NulBytesAndInvalidUtf8PassThroughAsBytes)
{
    StageReader reader(goldSource(), "csg");
    reader.feed(std::string("Warning: ::FindTexture() texture A\0B\xff\xfe not found!\n", 51));
    reader.feed(std::string("\0\0\0\n\xc3\n", 6));
    reader.finish();
    ASSERT_EQ(reader.findings().problems.size(), 1u);
    EXPECT_EQ(reader.findings().problems[0].locations.at(0).texture, std::string("A\0B\xff\xfe", 5));
}

TEST(StageReader, RepeatedMessagesAreCountedWithTheFirstFewDistinctPlaces)
{
    StageReader reader(goldSource(), "csg");
    for (int i = 0; i < 12; ++i) {
        const std::string brush = std::to_string(i % 7);
        reader.feed("Warning: Illegal Brush (edge without opposite face): Entity 3, Brush " + brush + "\n");
    }
    reader.finish();
    ASSERT_EQ(reader.findings().problems.size(), 1u);
    const insight::Problem& problem = reader.findings().problems[0];
    EXPECT_EQ(problem.count, 12u);
    ASSERT_EQ(problem.locations.size(), insight::kLocationsKept);
    EXPECT_EQ(problem.locations[4].entity, "3");
    EXPECT_EQ(problem.locations[4].brush, "4");
    EXPECT_FALSE(reader.findings().failed) << "a warning is no failure";
}

TEST(StageReader, AToolsHeadingIsCountedOnlyWhenItStandsAlone)
{
    StageReader reader(goldSource(), "csg");
    reader.feed("Error: Could not open wad file x.wad\nError: Could not find wad file\nDescription: ...\n");
    reader.finish();
    ASSERT_EQ(reader.findings().problems.size(), 1u);
    EXPECT_EQ(reader.findings().problems[0].rule, "wad-not-found");

    StageReader alone(goldSource(), "rad");
    alone.feed("Loading\nError: Could not locate WAD file\n");
    alone.finish();
    ASSERT_EQ(alone.findings().problems.size(), 1u);
    EXPECT_EQ(alone.findings().problems[0].rule, "wad-not-located");
}

TEST(StageReader, TheLeaksFilesAreBesideTheMapOnTheToolsCommandLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Command line: /tools/sdHLBSP leak", "leak.pts"},
        {"Command line: C:\\Program Files\\zhlt\\hlbsp.exe C:\\maps\\box.map -wadinclude halflife",
            "C:\\maps\\box.pts"},
        {"Command line: hlbsp -estimate -texdata 8192 maps/room.MAP", "maps/room.pts"},
        {"Command line: hlbsp -chart", ""},
    };
    for (const auto& [commandLine, pointFile] : cases) {
        StageReader reader(goldSource(), "bsp");
        reader.feed(std::string(commandLine) + " \nWarning: === LEAK in hull 0 ===\n");
        reader.finish();
        ASSERT_TRUE(reader.findings().leak) << commandLine;
        EXPECT_EQ(reader.findings().leak->pointFile, pointFile) << commandLine;
    }
}

TEST(StageReader, OnlyTheLeakReportMakesALeak)
{
    StageReader reader(goldSource(), "bsp");
    reader.feed("Error: \n  A LEAK is a hole in the map\nEntity light @ (   0,   0, 200)\nError: Stopped by leak.\n");
    reader.finish();
    ASSERT_TRUE(reader.findings().leak) << "the entity line alone says there is a leak";
    EXPECT_EQ(reader.findings().leak->hull, "");
    ASSERT_EQ(reader.findings().problems.size(), 1u);
    EXPECT_EQ(reader.findings().problems[0].rule, "leak-stopped");

    StageReader quiet(goldSource(), "csg");
    quiet.feed("Error: \n  some explanation\n");
    quiet.finish();
    EXPECT_FALSE(quiet.findings().leak);
    EXPECT_FALSE(quiet.findings().failed);
    EXPECT_TRUE(quiet.findings().problems.empty());
}

TEST(StageReader, ALimitNearlyFullIsAWarningAndALaterTableReplacesTheFirst)
{
    const std::string heading = "Object names  Objects/Maxobjs  Memory / Maxmem  Fullness\n"
                                "------------  ---------------  ---------------  --------\n";
    StageReader reader(goldSource(), "bsp");
    reader.feed(heading +
        "models            471/512        30144/32768    (92.0%)\n"
        "texdata          [variable]         48/33554432 ( 0.0%)\n"
        "* AllocBlock    [ not available to the 32-bit version ]\n1 textures referenced\n");
    reader.feed(heading +
        "models            471/512        30144/32768    (92.0%)\n"
        "clipnodes       30000/32767     240000/262136   (91.6%)\n");
    reader.finish();
    const auto& findings = reader.findings();
    ASSERT_EQ(findings.limits.size(), 2u);
    EXPECT_EQ(findings.limits[1].name, "clipnodes");
    EXPECT_EQ(findings.limits[1].used, 30000);
    ASSERT_EQ(findings.problems.size(), 1u);
    EXPECT_EQ(findings.problems[0].rule, "limit-high");
    EXPECT_EQ(findings.problems[0].count, 2u);
    EXPECT_EQ(findings.problems[0].locations[1].name, "clipnodes");
    EXPECT_FALSE(findings.failed);
}

TEST(Counters, SkippingThemLeavesTheMessage)
{
    EXPECT_EQ(insight::skipCounters("     0 /     6Error: x"), "Error: x");
    EXPECT_EQ(insight::skipCounters("  1 /  6  (16%: est. time to completion <1 sec)   Warning: y"), "Warning: y");
    EXPECT_EQ(insight::skipCounters("10%...20%...Warning: z"), "Warning: z");
    EXPECT_EQ(insight::skipCounters("1 textures referenced"), "1 textures referenced");
    EXPECT_EQ(
        insight::skipCounters("0 direct lights and 1 fast direct lights"), "0 direct lights and 1 fast direct lights");
}

} // namespace
