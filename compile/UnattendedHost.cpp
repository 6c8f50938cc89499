#include "compile/UnattendedHost.h"

#include "base/Text.h"

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

UnattendedHost::UnattendedHost(std::ostream& out, batchrun::Host& system) : out_(out), system_(system) {}

base::ProgramResult UnattendedHost::run(const base::ProgramStart& start)
{
    if (!afterStages_)
        return system_.run(start);
    skipped("starting " + commandLine(start));
    return {true, 0, {}};
}

std::string UnattendedHost::start(const base::ProgramStart& start)
{
    skipped("starting " + commandLine(start));
    return {};
}

std::string UnattendedHost::openDocument(const std::string& path)
{
    skipped("opening " + path);
    return {};
}

std::string UnattendedHost::powerOff()
{
    skipped("shutting the computer down");
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
