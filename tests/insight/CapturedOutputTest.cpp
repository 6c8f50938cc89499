// The real GoldSource tools' output on maps made for each case (tests/insight/capture_golden.sh), read as it
// arrives from a tool: in odd-sized pieces that split lines, CR LF pairs and messages anywhere.
#include "insight/StageReader.h"

#include "FindingsText.h"
#include "support/Golden.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using insight::RuleTable;
using insight::StageReader;
using insight::ToolFamily;

const char* const kStages[] = {"csg", "bsp", "vis", "rad"};

std::string capturePath(const std::string& name, const std::string& stage)
{
    return goldenPath("insight/" + name + "/" + stage + ".out");
}

// Pieces of 1, 7, 13... bytes, cycling, so that every kind of line end falls across a piece's edge somewhere.
insight::StageFindings readInPieces(const std::string& stage, const std::string& output, const std::string& map)
{
    static const size_t kSizes[] = {1, 7, 13, 64, 3, 509, 2, 4096};
    StageReader reader(RuleTable::builtIn(ToolFamily::GoldSource), stage);
    if (!map.empty())
        reader.setMap(map);
    size_t at = 0;
    for (size_t piece = 0; at < output.size(); ++piece) {
        const size_t size = kSizes[piece % std::size(kSizes)];
        reader.feed(std::string_view(output).substr(at, size));
        at += size;
    }
    reader.finish();
    return reader.findings();
}

insight::StageFindings readWhole(const std::string& stage, const std::string& output)
{
    StageReader reader(RuleTable::builtIn(ToolFamily::GoldSource), stage);
    reader.feed(output);
    reader.finish();
    return reader.findings();
}

// The same output as the tools print it on Windows: every LF after a CR.
std::string withCrLf(const std::string& output)
{
    std::string converted;
    for (char c : output) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}

class CapturedOutput : public testing::TestWithParam<const char*> {};

TEST_P(CapturedOutput, FindingsMatchTheExpectedFile)
{
    const std::string name = GetParam();
    std::string all;
    for (const std::string stage : kStages) {
        if (!std::filesystem::exists(capturePath(name, stage)))
            continue;
        const std::string output = readBytes(capturePath(name, stage));
        ASSERT_FALSE(output.empty()) << capturePath(name, stage);
        const std::string expected = findingsText(stage, readWhole(stage, output));
        EXPECT_EQ(findingsText(stage, readInPieces(stage, output, {})), expected) << name << " " << stage;
        EXPECT_EQ(findingsText(stage, readInPieces(stage, withCrLf(output), {})), expected)
            << name << " " << stage << " with CR LF";
        all += expected;
    }
    expectGolden("insight/" + name + "/expected.txt", all);
}

INSTANTIATE_TEST_SUITE_P(Cases, CapturedOutput,
    testing::Values("clean", "leak", "missing_wad", "missing_texture", "illegal_brush", "limit"));

TEST(CapturedOutput, ACleanCompileReportsNoProblem)
{
    for (const std::string stage : kStages) {
        const insight::StageFindings findings = readWhole(stage, readBytes(capturePath("clean", stage)));
        EXPECT_TRUE(findings.problems.empty()) << stage;
        EXPECT_FALSE(findings.failed) << stage;
        EXPECT_FALSE(findings.leak) << stage;
        EXPECT_FALSE(findings.limits.empty()) << stage << ": every stage prints the usage table";
    }
}

TEST(CapturedOutput, TheLeakNamesTheEntityAndThePointFileBesideTheMapTheToolWasGiven)
{
    const insight::StageFindings findings =
        readInPieces("bsp", readBytes(capturePath("leak", "bsp")), "C:\\maps\\my map.map");
    ASSERT_TRUE(findings.leak);
    EXPECT_EQ(findings.leak->entity, "light");
    EXPECT_EQ(findings.leak->origin, "0 0 200");
    EXPECT_EQ(findings.leak->pointFile, "C:\\maps\\my map.pts");
    EXPECT_EQ(findings.leak->lineFile, "C:\\maps\\my map.lin");
    EXPECT_TRUE(findings.failed) << "the BSP stage exits 0 on a leak, but the map is unusable";
}

// Progress as a console title would show it, read after each piece of the RAD stage's output.
TEST(CapturedOutput, ProgressFollowsTheCountersOfEachStep)
{
    const std::string output = readBytes(capturePath("clean", "rad"));
    StageReader reader(RuleTable::builtIn(ToolFamily::GoldSource), "rad");
    std::vector<std::string> steps;
    double highest = 0;
    for (size_t at = 0; at < output.size(); at += 37) {
        reader.feed(std::string_view(output).substr(at, 37));
        if (const auto progress = reader.progress()) {
            EXPECT_GE(*progress, 0.0);
            EXPECT_LE(*progress, 1.0);
            highest = std::max(highest, *progress);
        }
        if (steps.empty() || steps.back() != reader.step())
            steps.push_back(reader.step());
    }
    EXPECT_GE(highest, 0.95);
    const std::vector<std::string> expected{
        "", "FindFacePositions", "BuildFacelights", "CreateTriangulations", "AddPatchLights", "FinalLightFace"};
    EXPECT_EQ(steps, expected);
}

} // namespace
