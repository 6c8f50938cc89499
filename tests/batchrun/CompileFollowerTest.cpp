// The compile report and the stage times as the tools a script runs are followed, with a host that runs nothing.
#include "batchrun/CompileFollower.h"

#include "base/Paths.h"
#include "insight/StageHistory.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace batchrun;

namespace {

class FixedHost : public Host {
public:
    explicit FixedHost(base::ProgramResult result = {true, 0, {}}) : result_(std::move(result)) {}
    base::ProgramResult run(const base::ProgramStart&) override { return result_; }
    std::string start(const base::ProgramStart&) override { return {}; }
    std::string openDocument(const std::string&) override { return {}; }
    std::string powerOff() override { return {}; }

private:
    base::ProgramResult result_;
};

void runCsg(CompileFollower& follower, const std::string& map, FixedHost host = FixedHost())
{
    const base::ProgramStart start{"/tools/hlcsg", {"/tools/hlcsg", map}, {}, {}, {}};
    follower.runStage(host, start, *compileToolRun(start), "CSG");
}

} // namespace

// Two consoles compiling at once share the file: the one that ends last keeps the other's times too.
TEST(CompileFollower, CompilesThatOverlapKeepEachOthersStageTimes)
{
    TempFolder folder;
    const std::string file = folder.path(insight::kStageHistoryFileName);
    std::ostringstream out;
    CompileFollower first(out, file);
    CompileFollower second(out, file);
    runCsg(first, "a.map");
    runCsg(second, "b.map");
    std::string problem;
    second.finish(problem);
    first.finish(problem);
    EXPECT_EQ(problem, "");

    const insight::StageHistory kept = insight::StageHistory::load(file);
    EXPECT_EQ(kept.stages(insight::ToolFamily::GoldSource, "a.map").size(), 1u);
    EXPECT_EQ(kept.stages(insight::ToolFamily::GoldSource, "b.map").size(), 1u);
}

// A tool that was ended says why in the report, though its output told nothing of it.
TEST(CompileFollower, AToolEndedByTheTimeLimitOrASignalFailsWithTheReason)
{
    const base::ProgramResult results[] = {
        {true, 1, "did not end within 2 s and was stopped", true},
        {true, 139, "was ended by signal 11 (Segmentation fault)"},
    };
    for (const base::ProgramResult& result : results) {
        std::ostringstream out;
        CompileFollower follower(out, "");
        runCsg(follower, "a.map", FixedHost(result));
        ASSERT_EQ(follower.report().stages.size(), 1u);
        const insight::StageReport& stage = follower.report().stages[0];
        EXPECT_TRUE(stage.failed());
        EXPECT_EQ(stage.exitCode, result.exitCode);
        EXPECT_EQ(stage.findings.failure, result.problem);
    }
}

// The map as the report and the stage times name it: whole, from the folder the tool runs in.
TEST(CompileFollower, AMapNamedFromTheToolsFolderIsNamedWhole)
{
    // Joined with the system's separator, as every path the program makes.
    const auto in = [](std::string folder, const std::string& name) { return folder + base::kPathSeparator + name; };
    const struct {
        base::ProgramStart start;
        std::string map;
    } cases[] = {
        {{"/t/hlbsp", {"hlbsp", "leak.map"}, "/maps/R&D 50%", {}}, in("/maps/R&D 50%", "leak.map")},
        {{"/t/hlbsp", {"hlbsp", "sub/leak", "-leakonly"}, "/maps/", {}}, "/maps/sub/leak"},
        {{"/t/hlbsp", {"hlbsp", "/else/leak.map"}, "/maps", {}}, "/else/leak.map"},
        {{"/t/hlbsp", {"hlbsp", "leak.map"}, "", {}}, "leak.map"},
        {{"/usr/bin/wine", {"wine", "C:\\t\\hlbsp.exe", "C:\\maps\\leak.map"}, "/maps", {}}, "C:\\maps\\leak.map"},
        {{"/usr/bin/wine", {"wine", "hlbsp.exe", "\\maps\\leak.map"}, "/maps", {}}, "\\maps\\leak.map"},
        {{"/usr/bin/wine", {"wine", "hlbsp.exe", "leak.map"}, "/maps", {}}, in("/maps", "leak.map")},
    };
    for (const auto& [start, map] : cases) {
        const std::optional<ToolRun> run = compileToolRun(start);
        ASSERT_TRUE(run) << start.arguments[1];
        EXPECT_EQ(run->map, map) << start.arguments[1];
    }
}
