// The compile report and the stage times as the tools a script runs are followed, with a host that runs nothing.
#include "batchrun/CompileFollower.h"

#include "insight/StageHistory.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace batchrun;

namespace {

class SucceedingHost : public Host {
public:
    base::ProgramResult run(const base::ProgramStart&) override { return {true, 0, {}}; }
    std::string start(const base::ProgramStart&) override { return {}; }
    std::string openDocument(const std::string&) override { return {}; }
    std::string powerOff() override { return {}; }
};

void runCsg(CompileFollower& follower, const std::string& map)
{
    SucceedingHost host;
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
