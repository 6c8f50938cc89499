#pragma once

#include "base/Process.h"
#include "batchrun/Host.h"
#include "insight/CompileReport.h"
#include "insight/StageHistory.h"
#include "insight/ToolKind.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace batchrun {

// A compile tool as a script runs it.
struct ToolRun {
    insight::ToolKind kind;
    std::string program; // the tool, also when Wine runs it
    std::string map; // its first argument, the map it compiles
};

// `start` as a run of a tool of that kind: the tool and its map from the command line, Wine's or its own.
ToolRun toolRunAs(const base::ProgramStart& start, insight::ToolKind kind);

// The compile tool `start` runs, by itself or through Wine, told by its file name; nothing for any other program.
std::optional<ToolRun> compileToolRun(const base::ProgramStart& start);

// How a report and the stage times name a tool's stage: "CSG".
std::string stageNameOf(const insight::ToolKind& kind);

// Where the running stage is.
struct StageProgress {
    std::string stage; // "BSP"
    std::optional<double> fraction; // of the step the tool is in, from the counters it prints
    std::optional<double> secondsLeft; // of the whole compile, when the map's stages were timed before
};

// Follows the compile tools a script runs. Each runs on a pseudo-terminal: its output is passed on unchanged as
// it comes and read, and its time, exit code and findings go into the compile's report. The stages' times are
// kept per map, and the last compile's give the time left in the next one.
class CompileFollower {
public:
    // Tools' output goes to `out`; the stage times are kept in `historyFile` ("" keeps none).
    CompileFollower(std::ostream& out, std::string historyFile);

    // Told as each stage starts and as its percentage changes.
    std::function<void(const StageProgress&)> progressChanged;

    // Runs the tool through `host` as the stage named `stage`.
    base::ProgramResult runStage(Host& host, base::ProgramStart start, const ToolRun& tool, const std::string& stage);

    // Seconds left in the compile of `map`, `elapsed` seconds into `stage`, by its last compile's stage times.
    std::optional<double> timeLeft(
        insight::ToolFamily family, const std::string& map, const std::string& stage, double elapsed) const;

    // The copy of the map's .bsp goes into the report.
    void fileCopied(const std::string& source, const std::string& target);

    bool ranAnyStage() const { return !report_.stages.empty(); }
    const insight::CompileReport& report() const { return report_; }

    // The compile ended: the times of its stages that ended well are kept for the next compile of the map and
    // the next report starts afresh. Gives the ended compile's report and why its times could not be kept, if so.
    insight::CompileReport finish(std::string& problem);

private:
    std::ostream& out_;
    std::string historyFile_;
    insight::StageHistory history_;
    insight::CompileReport report_;
    std::vector<insight::ToolFamily> families_; // of report_.stages
};

} // namespace batchrun
