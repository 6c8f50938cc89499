// The unattended host under the runner with the scripts the generators write, over a system host that only
// records: shutting down must never reach it.
#include "compile/UnattendedHost.h"
#include "batchrun/Runner.h"
#include "goldsource/GoldSourceScript.h"
#include "goldsource/GoldSourceStagePlan.h"
#include "script/ScriptLines.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using namespace ferrowind;

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

struct RecordingSystem : batchrun::Host {
    base::ProgramResult run(const base::ProgramStart& start) override
    {
        const std::string name = std::filesystem::path(start.file).filename().string();
        ran.push_back(name);
        return {true, name == failing ? 2 : 0, {}};
    }
    std::string start(const base::ProgramStart&) override { return {}; }
    std::string openDocument(const std::string&) override { return {}; }
    std::string powerOff() override
    {
        ++powerOffs;
        return {};
    }

    std::string failing;
    std::vector<std::string> ran;
    int powerOffs = 0;
};

struct NoInput : batchrun::Input {
    std::optional<std::string> readLine() override { return std::nullopt; }
    bool waitForKey() override { return false; }
};

} // namespace

class UnattendedHostTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        for (const char* tool : {"hlcsg", "hlbsp", "hlvis", "hlrad", "hl", "ferrowind"})
            std::filesystem::create_symlink(BATCHRUN_STUB_TOOL, dir_.path(tool));
        dir_.write("box.map", "map");
    }

    int runScript(const GoldSourceOptions& options)
    {
        const std::string folder = dir_.path() + "/";
        const GoldSourceScriptInput input{options, folder + "box.map",
            {folder + "hlcsg", folder + "hlbsp", folder + "hlvis", folder + "hlrad", folder + "hl", folder, folder},
            "07", "1.2", "Notepad", folder + "ferrowind"};
        ScriptSections sections;
        const ScriptLines lines = makeGoldSourceScript(input, {"01.02.2027", "10:11:12", "a@b.c"}, &sections);
        return run(scriptFileText(lines), goldSourceStagePlan(input), sections);
    }

    int run(const std::string& script, const StagePlan& plan, const ScriptSections& sections)
    {
        host_.emplace(out_, system_, plan, sections);
        batchrun::Session session{batchrun::Environment::fromProcess(), dir_.path()};
        batchrun::Console console{out_, out_, input_, false};
        const int exitCode = batchrun::Runner(session, console, *host_).run(batchrun::Script::fromText(script), {"t"});
        host_->finish(session.errorLevel);
        return exitCode;
    }

    TempFolder dir_;
    std::ostringstream out_;
    NoInput input_;
    RecordingSystem system_;
    std::optional<UnattendedHost> host_;
};

// With "Shutdown PC" the script powers off after its last stage, or at once in its error section.
TEST_P(UnattendedHostTest, ShutdownIsNeverAttempted)
{
    system_.failing = GetParam();
    GoldSourceOptions options;
    options.shutdown = true;
    options.runGame = false;
    const int exitCode = runScript(options);
    EXPECT_EQ(system_.powerOffs, 0);
    if (GetParam().empty()) {
        EXPECT_EQ(exitCode, 0);
        EXPECT_FALSE(host_->failed());
        EXPECT_THAT(out_.str(), HasSubstr("skipped (unattended): shutting the computer down\n"));
        EXPECT_THAT(system_.ran, ElementsAre("hlcsg", "hlbsp", "hlvis", "hlrad"));
    } else {
        EXPECT_EQ(exitCode, 1);
        ASSERT_TRUE(host_->failedStage());
        EXPECT_EQ(host_->failedStage()->name, "BSP");
        EXPECT_EQ(host_->failedStage()->exitCode, 2);
        EXPECT_THAT(system_.ran, ElementsAre("hlcsg", "hlbsp"));
    }
}

INSTANTIATE_TEST_SUITE_P(Endings, UnattendedHostTest, ::testing::Values("", "hlbsp"));

// A stage's line that runs more than its tool (from a value the script expanded): the rest is refused and
// the stage fails; nothing is started, opened or powered off.
TEST_F(UnattendedHostTest, AStageRunsItsOwnToolAndNothingElse)
{
    const std::string tools = dir_.path() + "/";
    const std::string script = "@echo off\n::Run csg\n\"" + tools + "hlcsg\" x & shutdown /s /f & \"" + tools +
        "hl\" +map x & start \"\" \"" + tools + "hl\" & \"" + tools +
        "hlbsp\"\nif ERRORLEVEL 1 goto ERRORCOMPILATION\n::After compilation\nexit\n:ERRORCOMPILATION\n";
    ScriptSections sections;
    sections.stages = {{1, "CSG"}};
    sections.afterStages = 4;
    sections.errorSection = 6;
    const int exitCode =
        run(script, {{"CSG", true, tools + "hlcsg", ""}, {"BSP", true, tools + "hlbsp", ""}}, sections);
    EXPECT_EQ(exitCode, 1) << out_.str();
    EXPECT_THAT(system_.ran, ElementsAre("hlcsg"));
    EXPECT_EQ(system_.powerOffs, 0);
    EXPECT_THAT(out_.str(), HasSubstr("runs only the tool of the stage"));
    EXPECT_THAT(out_.str(), HasSubstr("does nothing but run the stages' tools"));
}
