// The report of a compile, from the leaking box room's captured output, as text and as JSON.
#include "insight/CompileReport.h"
#include "insight/StageReader.h"

#include "support/Golden.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using insight::CompileReport;
using insight::StageReport;

StageReport captured(const std::string& name, const std::string& stage, const std::string& tool, int exitCode)
{
    insight::StageReader reader(insight::RuleTable::builtIn(insight::ToolFamily::GoldSource), stage);
    reader.feed(readBytes(goldenPath("insight/" + name + "/" + stage + ".out")));
    reader.finish();
    StageReport report;
    report.name = stage == "csg" ? "CSG" : stage == "bsp" ? "BSP" : stage == "vis" ? "VIS" : "RAD";
    report.tool = tool;
    report.seconds = 1.25;
    report.exitCode = exitCode;
    report.findings = reader.findings();
    return report;
}

CompileReport leakReport()
{
    CompileReport report;
    report.map = "leak.map";
    report.stages = {captured("leak", "csg", "sdHLCSG", 0), captured("leak", "bsp", "sdHLBSP", 0),
        captured("leak", "vis", "sdHLVIS", 1)};
    return report;
}

TEST(Report, TextTellsEachStageTheLeakAndTheLimits)
{
    expectGolden("insight/leak/report.txt", insight::reportText(leakReport()));
}

TEST(Report, TextOfACleanCompileSaysWhereTheBspWent)
{
    CompileReport report;
    report.map = "clean.map";
    report.stages = {captured("clean", "csg", "sdHLCSG", 0), captured("clean", "bsp", "sdHLBSP", 0),
        captured("clean", "vis", "sdHLVIS", 0), captured("clean", "rad", "sdHLRAD", 0)};
    report.copiedBsp = "/games/valve/maps/clean.bsp";
    EXPECT_FALSE(report.failed());
    expectGolden("insight/clean/report.txt", insight::reportText(report));
}

// The tool crashed after printing nothing that tells of a problem: its exit code alone says it failed.
TEST(Report, TextOfAStageThatFailedWithoutAProblemFoundClaimsNoCleanCompile)
{
    CompileReport report;
    report.stages = {captured("clean", "csg", "sdHLCSG", 0), captured("clean", "bsp", "sdHLBSP", 139)};
    const std::string text = insight::reportText(report);
    EXPECT_NE(text.find("BSP    1.2 s  failed (exit code 139)"), std::string::npos) << text;
    EXPECT_EQ(text.find("No problems found."), std::string::npos) << text;
}

TEST(Report, TextTellsANearlyFullLimitOnceWithItsAdvice)
{
    CompileReport report;
    report.stages = {captured("limit", "bsp", "sdHLBSP", 0), captured("limit", "vis", "sdHLVIS", 0)};
    const std::string text = insight::reportText(report);
    EXPECT_EQ(text.find("Problems"), std::string::npos) << text;
    const std::string models = "models 471/512 (92.0%): nearly full";
    const size_t at = text.find(models);
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_EQ(text.find("nearly full", at + models.size()), std::string::npos) << text;
    EXPECT_NE(text.find("What to do: Simplify"), std::string::npos) << text;
}

TEST(Report, JsonCarriesEveryFindingAndParsesBack)
{
    const auto json = nlohmann::json::parse(insight::reportJson(leakReport()));
    EXPECT_EQ(json["map"], "leak.map");
    EXPECT_EQ(json["failed"], true);
    EXPECT_TRUE(json["copiedBsp"].is_null());
    ASSERT_EQ(json["stages"].size(), 3u);
    const auto& bsp = json["stages"][1];
    EXPECT_EQ(bsp["name"], "BSP");
    EXPECT_EQ(bsp["exitCode"], 0);
    EXPECT_EQ(bsp["failed"], true);
    EXPECT_EQ(bsp["leak"]["entity"], "light");
    EXPECT_EQ(bsp["leak"]["origin"], "0 0 200");
    EXPECT_EQ(bsp["leak"]["pointFile"], "leak.pts");
    EXPECT_EQ(bsp["limits"].size(), 18u);
    EXPECT_EQ(bsp["limits"][0]["name"], "models");
    EXPECT_EQ(json["stages"][2]["problems"][0]["rule"], "earlier-stage-failed");
    EXPECT_TRUE(json["stages"][0]["leak"].is_null());
}

TEST(Report, JsonOfBytesThatAreNotUtf8IsStillJson)
{
    CompileReport report;
    report.map = std::string("m\xff\0p.map", 8);
    StageReport stage;
    stage.name = "CSG";
    insight::Problem problem;
    problem.message = "texture \xc3 not found";
    problem.count = 1;
    stage.findings.problems.push_back(problem);
    report.stages.push_back(stage);
    const auto json = nlohmann::json::parse(insight::reportJson(report));
    EXPECT_EQ(json["map"], "m\xef\xbf\xbd" + std::string("\0p.map", 6));
    EXPECT_EQ(json["stages"][0]["problems"][0]["message"], "texture \xef\xbf\xbd not found");
}

} // namespace
