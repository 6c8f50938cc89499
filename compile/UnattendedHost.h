#pragma once

#include "batchrun/CompileFollower.h"
#include "batchrun/Host.h"
#include "compile/StageTable.h"
#include "script/StagePlan.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ferrowind {

// Runs a compile script's tools and nothing that needs a person. It follows the stages by the sections the
// generator reported (each stage's label, the after-compilation steps, the error section, the pause), ends
// the script at the error section instead of its menu and at the pause instead of waiting. Whatever a line says,
// it runs no program but the current stage's own tool, which it ends with its process group after the stage
// limit; it never powers the computer off. After the stages, the programs a script starts (the game, the
// completion sound, the log viewer) are reported as skipped; during a stage any other program is refused,
// so the stage fails.
class UnattendedHost : public batchrun::Host {
public:
    // Messages go to `out`; the tools of `plan` run through `system`. `limitSeconds` 0 lets a stage run for ever.
    UnattendedHost(
        std::ostream& out, batchrun::Host& system, StagePlan plan, ScriptSections sections, double limitSeconds = 0);

    base::ProgramResult run(const base::ProgramStart& start) override;
    std::string start(const base::ProgramStart& start) override;
    std::string openDocument(const std::string& path) override;
    std::string powerOff() override;
    std::optional<int> labelReached(size_t index, std::string_view line, int errorLevel) override;

    // From now on each stage's tool runs through `follower`, as a tool of `family` compiling `map`, and each
    // stage's start line tells the time left. A tool whose output shows that it failed fails its stage even
    // when it exits with 0.
    void follow(batchrun::CompileFollower& follower, insight::ToolFamily family, std::string map);
    void fileCopied(const std::string& source, const std::string& target) override;

    // Closes a stage still open when the script ended.
    void finish(int errorLevel);

    const std::vector<StageRecord>& stages() const { return stages_; }
    // The stage that sent the script to its error section; nothing when none did.
    std::optional<StageRecord> failedStage() const;
    bool failed() const { return failed_; }

private:
    void closeStage(int errorLevel);
    void skipped(const std::string& what);
    std::string skippedAfterStages(const std::string& what);
    bool isCurrentTool(const base::ProgramStart& start) const;
    std::string timeLeftNote(const std::string& stage) const;

    std::ostream& out_;
    batchrun::Host& system_;
    StagePlan plan_;
    ScriptSections sections_;
    double limitSeconds_;
    std::vector<StageRecord> stages_;
    std::optional<std::chrono::steady_clock::time_point> stageStart_;
    bool afterStages_ = false;
    bool failed_ = false;
    batchrun::CompileFollower* follower_ = nullptr;
    insight::ToolFamily family_ = insight::ToolFamily::GoldSource;
    std::string map_;
};

} // namespace ferrowind
