#include "compile/UnattendedHost.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "insight/StageHistory.h"

#include <algorithm>
#include <filesystem>

namespace ferrowind {

namespace {

std::string commandLine(const base::ProgramStart& start)
{
    std::string text;
    for (const std::string& argument : start.arguments)
        text += (text.empty() ? "" : " ") + argument;
    return text;
}

} // namespace

UnattendedHost::UnattendedHost(
    std::ostream& out, batchrun::Host& system, StagePlan plan, ScriptSections sections, double limitSeconds) :
      out_(out),
      system_(system),
      plan_(std::move(plan)),
      sections_(std::move(sections)),
      limitSeconds_(limitSeconds)
{
}

base::ProgramResult UnattendedHost::run(const base::ProgramStart& start)
{
    if (afterStages_) {
        skipped("starting " + commandLine(start));
        return {true, 0, {}};
    }
    if (!isCurrentTool(start))
        return {false, 0, "ferrowind-compile runs only the tool of the stage, never a program a line adds"};
    base::ProgramStart tool = start;
    tool.ownProcessGroup = true;
    if (limitSeconds_ > 0)
        tool.timeLimit = std::chrono::milliseconds(static_cast<long long>(limitSeconds_ * 1000));
    const std::string& stage = stages_.back().name;
    base::ProgramResult result = follower_
        ? follower_->runStage(system_, tool, batchrun::toolRunAs(tool, {family_, base::toLowerAscii(stage)}), stage)
        : system_.run(tool);
    if (result.timedOut)
        out_ << "ferrowind-compile: " << stage << " ran longer than the stage limit of " << limitSeconds_
             << " s and was ended" << std::endl;
    // The script goes on by the exit code alone; a stage that failed by its output must stop it too.
    if (follower_ && result.started && result.exitCode == 0 && !follower_->report().stages.empty() &&
        follower_->report().stages.back().findings.failed)
        result.exitCode = 1;
    return result;
}

void UnattendedHost::follow(batchrun::CompileFollower& follower, insight::ToolFamily family, std::string map)
{
    follower_ = &follower;
    family_ = family;
    map_ = std::move(map);
}

std::string UnattendedHost::timeLeftNote(const std::string& stage) const
{
    if (!follower_)
        return {};
    const std::optional<double> left = follower_->timeLeft(family_, map_, stage, 0);
    return left ? " (" + insight::StageHistory::formatDuration(*left) + " left by the last compile)" : std::string();
}

void UnattendedHost::fileCopied(const std::string& source, const std::string& target)
{
    if (follower_)
        follower_->fileCopied(source, target);
}

// The stage's tool by the path the script names it with, as the runner found it (through Wine, the program
// Wine runs). By path rather than by file: tools are often links to one program, which would let a line run
// the game through another stage's link.
bool UnattendedHost::isCurrentTool(const base::ProgramStart& start) const
{
    if (!stageStart_)
        return false;
    const auto tool = std::find_if(
        plan_.begin(), plan_.end(), [&](const PlannedStage& stage) { return stage.name == stages_.back().name; });
    if (tool == plan_.end())
        return false;
    std::vector<std::string> candidates{start.file};
    if (start.arguments.size() > 1 && base::toLowerAscii(base::fileNamePart(start.file)) == "wine")
        candidates.push_back(start.arguments[1]);
    const std::string configured = (std::filesystem::path(start.folder) / tool->tool).lexically_normal().string();
    return std::any_of(candidates.begin(), candidates.end(), [&](const std::string& candidate) {
        const std::string path = std::filesystem::path(candidate).lexically_normal().string();
#ifdef _WIN32
        return base::equalsIgnoringCase(path, configured);
#else
        return path == configured;
#endif
    });
}

std::string UnattendedHost::start(const base::ProgramStart& start)
{
    return skippedAfterStages("starting " + commandLine(start));
}

std::string UnattendedHost::openDocument(const std::string& path) { return skippedAfterStages("opening " + path); }

std::string UnattendedHost::powerOff() { return skippedAfterStages("shutting the computer down"); }

// After the stages the script's own lines start the game, the sound and the viewer and power off: skipped as
// if done. Before, such a request can only come from a value the script expanded: refused, so the line fails.
std::string UnattendedHost::skippedAfterStages(const std::string& what)
{
    if (!afterStages_)
        return "ferrowind-compile does nothing but run the stages' tools";
    skipped(what);
    return {};
}

std::optional<int> UnattendedHost::labelReached(size_t index, std::string_view /*line*/, int errorLevel)
{
    closeStage(errorLevel);
    const auto stage = std::find_if(sections_.stages.begin(), sections_.stages.end(),
        [index](const ScriptSections::Stage& s) { return s.line == index; });
    if (stage != sections_.stages.end()) {
        stages_.push_back({stage->name, 0, 0});
        out_ << "ferrowind-compile: " << stage->name << " started" << timeLeftNote(stage->name) << std::endl;
        stageStart_ = std::chrono::steady_clock::now();
    } else if (index == sections_.afterStages) {
        afterStages_ = true;
    } else if (index == sections_.errorSection) {
        failed_ = true;
        return 1;
    } else if (index == sections_.pause) {
        skipped("the pause at the end");
        return 0;
    }
    return std::nullopt;
}

void UnattendedHost::finish(int errorLevel) { closeStage(errorLevel); }

std::optional<StageRecord> UnattendedHost::failedStage() const
{
    if (!failed_ || stages_.empty())
        return std::nullopt;
    return stages_.back();
}

void UnattendedHost::closeStage(int errorLevel)
{
    if (!stageStart_)
        return;
    stages_.back().exitCode = errorLevel;
    stages_.back().seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - *stageStart_).count();
    stageStart_.reset();
}

void UnattendedHost::skipped(const std::string& what)
{
    out_ << "ferrowind-compile: skipped (unattended): " << what << std::endl;
}

} // namespace ferrowind
