#include "batchrun/CompileConsoleHost.h"

#include "base/Text.h"
#include "batchrun/ConsoleEscapes.h"
#include "insight/StageHistory.h"

#include <cmath>

namespace batchrun {

namespace {

// Where the compile scripts' own path ends: their error menu, their pause and their end.
bool endsCompile(std::string_view line)
{
    const std::string text = base::trim(line);
    return base::equalsIgnoringCase(text, ":ERRORCOMPILATION") || base::equalsIgnoringCase(text, ":ENDCOMPILATION") ||
        base::equalsIgnoringCase(text, "::Section - Pause");
}

} // namespace

CompileConsoleHost::CompileConsoleHost(
    Host& system, std::ostream& out, std::ostream& err, bool terminal, std::string historyFile) :
      system_(system),
      out_(out),
      err_(err),
      terminal_(terminal),
      follower_(out, std::move(historyFile))
{
    follower_.progressChanged = [this](const StageProgress& progress) { showProgress(progress); };
}

base::ProgramResult CompileConsoleHost::run(const base::ProgramStart& start)
{
    const std::optional<ToolRun> tool = base::kProgramOutputIsHandedOn ? compileToolRun(start) : std::nullopt;
    if (!tool)
        return system_.run(start);
    const base::ProgramResult result = follower_.runStage(system_, start, *tool, stageNameOf(tool->kind));
    if (titleChanged_) {
        showTitle(title_);
        titleChanged_ = false;
    }
    return result;
}

std::string CompileConsoleHost::start(const base::ProgramStart& start) { return system_.start(start); }

std::string CompileConsoleHost::openDocument(const std::string& path) { return system_.openDocument(path); }

std::string CompileConsoleHost::powerOff() { return system_.powerOff(); }

std::optional<int> CompileConsoleHost::labelReached(size_t index, std::string_view line, int errorLevel)
{
    if (endsCompile(line))
        printReport();
    return system_.labelReached(index, line, errorLevel);
}

void CompileConsoleHost::titleSet(std::string_view title)
{
    title_ = title;
    titleChanged_ = false;
    system_.titleSet(title);
}

void CompileConsoleHost::fileCopied(const std::string& source, const std::string& target)
{
    follower_.fileCopied(source, target);
    system_.fileCopied(source, target);
}

void CompileConsoleHost::printReport()
{
    if (!follower_.ranAnyStage())
        return;
    std::string problem;
    const insight::CompileReport report = follower_.finish(problem);
    out_ << '\n' << insight::reportText(report) << std::flush;
    if (!problem.empty())
        err_ << "ferrowind-cmd: the stage times are not kept: " << problem << '\n';
}

void CompileConsoleHost::showTitle(const std::string& title)
{
    if (terminal_)
        out_ << titleEscape(title) << std::flush;
}

void CompileConsoleHost::showProgress(const StageProgress& progress)
{
    std::string suffix;
    if (progress.fraction)
        suffix = std::to_string(static_cast<int>(std::floor(*progress.fraction * 100))) + "%";
    if (progress.secondsLeft)
        suffix += (suffix.empty() ? "" : ", ") + insight::StageHistory::formatDuration(*progress.secondsLeft) + " left";
    if (suffix.empty())
        return;
    showTitle(title_ + " - " + suffix);
    titleChanged_ = true;
}

} // namespace batchrun
