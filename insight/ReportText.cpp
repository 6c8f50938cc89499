#include "insight/CompileReport.h"

#include <algorithm>
#include <cstdio>

namespace insight {

namespace {

std::string seconds(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, value < 10 ? "%.1f s" : "%.0f s", value);
    return text;
}

std::string percent(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", value);
    return text;
}

std::string result(const StageReport& stage)
{
    if (stage.exitCode != 0 && !stage.findings.failure.empty())
        return "failed (exit code " + std::to_string(stage.exitCode) + "): " + stage.findings.failure;
    if (stage.exitCode != 0)
        return "failed (exit code " + std::to_string(stage.exitCode) + ")";
    if (stage.findings.failed)
        return "failed, though the tool said it succeeded: " + stage.findings.failure;
    return "done";
}

std::string describe(const Location& location)
{
    std::string text;
    auto add = [&](const std::string& label, const std::string& value) {
        if (!value.empty())
            text += (text.empty() ? "" : ", ") + label + value;
    };
    add("entity ", location.entity);
    add("brush ", location.brush);
    add("side ", location.side);
    add("at (", location.position.empty() ? "" : location.position + ")");
    add("texture ", location.texture);
    add("", location.name);
    return text;
}

// The stage whose usage table is the latest: the one that describes the .bsp as it was written last.
const StageReport* lastWithLimits(const CompileReport& report)
{
    for (auto stage = report.stages.rbegin(); stage != report.stages.rend(); ++stage) {
        if (!stage->findings.limits.empty())
            return &*stage;
    }
    return nullptr;
}

} // namespace

std::string reportText(const CompileReport& report)
{
    std::string text = "Compile report" + (report.map.empty() ? std::string() : " for " + report.map) + "\n";
    size_t nameWidth = 0;
    for (const StageReport& stage : report.stages)
        nameWidth = std::max(nameWidth, stage.name.size());
    for (const StageReport& stage : report.stages) {
        std::string name = stage.name;
        name.resize(nameWidth, ' ');
        std::string time = seconds(stage.seconds);
        time.insert(0, time.size() < 7 ? 7 - time.size() : 0, ' ');
        text += "  " + name + "  " + time + "  " + result(stage) + "\n";
    }

    // Limits nearly full are told once, under the limits, however many stages printed the table.
    bool anyProblem = false;
    for (const StageReport& stage : report.stages) {
        for (const Problem& problem : stage.findings.problems) {
            if (problem.rule == "limit-high")
                continue;
            if (!anyProblem)
                text += "Problems\n";
            anyProblem = true;
            text += "  " + stage.name + " " + severityName(problem.severity) + ": " + problem.message;
            if (problem.count > 1)
                text += " (" + std::to_string(problem.count) + " times)";
            text += "\n    " + problem.explanation + "\n    What to do: " + problem.advice + "\n";
            if (!problem.locations.empty()) {
                text += "    Where: ";
                for (size_t i = 0; i < problem.locations.size(); ++i)
                    text += (i ? "; " : "") + describe(problem.locations[i]);
                if (problem.count > problem.locations.size())
                    text += "; ...";
                text += "\n";
            }
        }
    }

    const bool leaked = std::any_of(
        report.stages.begin(), report.stages.end(), [](const StageReport& stage) { return stage.findings.leak; });
    // A stage that failed with nothing recognised in its output (a crash, an unknown message) is no clean bill.
    if (!anyProblem && !leaked && !report.stages.empty() && !report.failed())
        text += "No problems found.\n";

    for (const StageReport& stage : report.stages) {
        if (!stage.findings.leak)
            continue;
        const Leak& leak = *stage.findings.leak;
        text += "Leak";
        if (!leak.entity.empty())
            text += ": " + leak.entity + (leak.origin.empty() ? "" : " at (" + leak.origin + ")") + " sees the void";
        text += "\n";
        if (!leak.pointFile.empty() || !leak.lineFile.empty()) {
            text += "  Load " + (leak.pointFile.empty() ? leak.lineFile : leak.pointFile) +
                " in the level editor and follow the line from that entity to the hole; seal it with a world "
                "brush.\n";
        }
        break;
    }

    if (const StageReport* stage = lastWithLimits(report)) {
        text += "Fullest limits (" + stage->name + ")\n";
        for (const Limit& limit : stage->findings.highestLimits(kLimitsShown)) {
            text += "  " + limit.name + " " + std::to_string(limit.used) + "/" + std::to_string(limit.maximum) + " (" +
                percent(limit.percent) + ")";
            if (limit.percent >= kLimitWarningPercent)
                text += ": nearly full";
            text += "\n";
        }
        for (const Problem& problem : stage->findings.problems) {
            if (problem.rule == "limit-high")
                text += "  " + problem.explanation + " What to do: " + problem.advice + "\n";
        }
    }

    if (!report.copiedBsp.empty())
        text += "The .bsp was copied to " + report.copiedBsp + "\n";
    return text;
}

} // namespace insight
