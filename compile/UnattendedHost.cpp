#include "compile/UnattendedHost.h"

#include "base/Paths.h"
#include "base/Text.h"

#include <algorithm>
#include <filesystem>

namespace ferrowind {

namespace {

constexpr std::string_view kStagePrefix = "::run ";
constexpr std::string_view kAfterStages = "::after compilation";
constexpr std::string_view kErrorSection = ":errorcompilation";
constexpr std::string_view kPauseSection = ":pauseitem";

std::string commandLine(const base::ProgramStart& start)
{
    std::string text;
    for (const std::string& argument : start.arguments)
        text += (text.empty() ? "" : " ") + argument;
    return text;
}

std::string upperAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

} // namespace

UnattendedHost::UnattendedHost(
    std::ostream& out, batchrun::Host& system, std::vector<StageProgram> tools, double limitSeconds) :
      out_(out),
      system_(system),
      tools_(std::move(tools)),
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
    tool.limitSeconds = limitSeconds_;
    const base::ProgramResult result = system_.run(tool);
    if (result.timedOut)
        out_ << "ferrowind-compile: " << stages_.back().name << " ran longer than the stage limit of " << limitSeconds_
             << " s and was ended" << std::endl;
    return result;
}

// The stage's tool by the path the script names it with, as the runner found it (through Wine, the program
// Wine runs). By path rather than by file: tools are often links to one program, which would let a line run
// the game through another stage's link.
bool UnattendedHost::isCurrentTool(const base::ProgramStart& start) const
{
    if (!stageStart_)
        return false;
    const auto tool = std::find_if(
        tools_.begin(), tools_.end(), [&](const StageProgram& entry) { return entry.name == stages_.back().name; });
    if (tool == tools_.end())
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

std::optional<int> UnattendedHost::labelReached(std::string_view line, int errorLevel)
{
    closeStage(errorLevel);
    const std::string label = base::toLowerAscii(base::trim(line));
    if (label.starts_with(kStagePrefix)) {
        stages_.push_back(
            {upperAscii(base::trim(std::string_view(line).substr(line.find(':') + kStagePrefix.size()))), 0, 0});
        out_ << "ferrowind-compile: " << stages_.back().name << " started" << std::endl;
        stageStart_ = std::chrono::steady_clock::now();
    } else if (label == kAfterStages) {
        afterStages_ = true;
    } else if (label.starts_with(kErrorSection)) {
        failed_ = true;
        return 1;
    } else if (label.starts_with(kPauseSection)) {
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
