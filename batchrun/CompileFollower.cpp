#include "batchrun/CompileFollower.h"

#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "batchrun/ConsoleEscapes.h"
#include "insight/RuleTable.h"
#include "insight/StageReader.h"

#include <chrono>

namespace batchrun {

namespace {

bool runsThroughWine(const base::ProgramStart& start)
{
    const std::string name = base::toLowerAscii(base::fileNamePart(start.file));
    return (name == "wine" || name == "wine64") && start.arguments.size() > 1;
}

// Whether a map argument is named from the folder the tool runs in; a path for Wine ("C:\maps\a.map",
// "\maps\a.map") is whole already.
bool isRelative(const std::string& path)
{
    return !path.empty() && path[0] != '/' && path[0] != '\\' && !(path.size() > 1 && path[1] == ':');
}

} // namespace

ToolRun toolRunAs(const base::ProgramStart& start, insight::ToolKind kind)
{
    const size_t program = runsThroughWine(start) ? 1 : 0;
    ToolRun run{std::move(kind), program == 1 ? start.arguments[1] : start.file, {}};
    if (start.arguments.size() > program + 1)
        run.map = start.arguments[program + 1];
    // The report's pointfile and the stage times name the map whole, wherever the script had gone with `cd`.
    if (isRelative(run.map) && !start.folder.empty())
        run.map = base::withTrailingSeparator(start.folder) + run.map;
    return run;
}

std::optional<ToolRun> compileToolRun(const base::ProgramStart& start)
{
    const std::string& program = runsThroughWine(start) ? start.arguments[1] : start.file;
    if (const std::optional<insight::ToolKind> kind = insight::recogniseTool(program))
        return toolRunAs(start, *kind);
    return std::nullopt;
}

std::string stageNameOf(const insight::ToolKind& kind) { return base::toUpperAscii(kind.stage); }

CompileFollower::CompileFollower(std::ostream& out, std::string historyFile) :
      out_(out),
      historyFile_(std::move(historyFile))
{
    if (!historyFile_.empty())
        history_ = insight::StageHistory::load(historyFile_);
}

std::optional<double> CompileFollower::timeLeft(
    insight::ToolFamily family, const std::string& map, const std::string& stage, double elapsed) const
{
    return history_.timeLeft(family, map, stage, elapsed);
}

base::ProgramResult CompileFollower::runStage(
    Host& host, base::ProgramStart start, const ToolRun& tool, const std::string& stage)
{
    using Clock = std::chrono::steady_clock;
    if (report_.stages.empty())
        report_.map = tool.map;
    insight::StageReader reader(insight::RuleTable::builtIn(tool.kind.family), tool.kind.stage);
    if (!tool.map.empty())
        reader.setMap(tool.map);
    const auto started = Clock::now();
    const auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };
    if (progressChanged)
        progressChanged({stage, std::nullopt, timeLeft(tool.kind.family, tool.map, stage, 0)});
    std::optional<int> shownPercent;
    EscapeSequenceState escapes;
    start.output = [&](std::string_view chunk) {
        out_.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        out_.flush();
        reader.feed(chunk);
        escapes.feed(chunk);
        const std::optional<double> fraction = reader.progress();
        const std::optional<int> percent =
            fraction ? std::optional<int>(static_cast<int>(*fraction * 100)) : std::nullopt;
        if (percent != shownPercent && progressChanged && !escapes.inside()) {
            shownPercent = percent;
            progressChanged({stage, fraction, timeLeft(tool.kind.family, tool.map, stage, elapsed())});
        }
    };
    const base::ProgramResult result = host.run(start);
    reader.finish();
    if (!result.started)
        return result;
    insight::StageReport record{stage, tool.program, elapsed(), result.exitCode, reader.findings()};
    // Why the tool was ended (the time limit, a crash) when its output said nothing of it.
    if (!result.problem.empty() && !record.findings.failed) {
        record.findings.failed = true;
        record.findings.failure = result.problem;
    }
    report_.stages.push_back(std::move(record));
    families_.push_back(tool.kind.family);
    return result;
}

void CompileFollower::fileCopied(const std::string& source, const std::string& target)
{
    if (!report_.stages.empty() && base::equalsIgnoringCase(base::extensionOf(source), ".bsp"))
        report_.copiedBsp = target;
}

insight::CompileReport CompileFollower::finish(std::string& problem)
{
    problem.clear();
    // Another console or build may have kept its times since this compile began: add to the file as it is now,
    // rather than write back what was read at the start over theirs.
    if (!historyFile_.empty())
        history_ = insight::StageHistory::load(historyFile_);
    bool timed = false;
    for (size_t i = 0; i < report_.stages.size(); ++i) {
        const insight::StageReport& stage = report_.stages[i];
        if (!stage.failed()) {
            history_.recordStage(families_[i], report_.map, stage.name, stage.seconds);
            timed = true;
        }
    }
    if (timed && !historyFile_.empty()) {
        try {
            history_.save(historyFile_);
        } catch (const base::WriteError& error) {
            problem = error.what();
        }
    }
    insight::CompileReport ended = std::move(report_);
    report_ = {};
    families_.clear();
    return ended;
}

} // namespace batchrun
