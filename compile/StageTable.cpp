#include "compile/StageTable.h"

#include <cstdio>

namespace ferrowind {

namespace {

std::string row(const std::string& stage, const std::string& exitCode, const std::string& time)
{
    char line[128];
    std::snprintf(line, sizeof line, "%-8s %9s %12s\n", stage.c_str(), exitCode.c_str(), time.c_str());
    return line;
}

std::string seconds(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", value);
    return text;
}

} // namespace

std::string stageTable(const std::vector<StageRecord>& stages, double totalSeconds)
{
    std::string table = row("stage", "exit code", "wall time");
    for (const StageRecord& stage : stages)
        table += row(stage.name, std::to_string(stage.exitCode), seconds(stage.seconds));
    table += row("total", "", seconds(totalSeconds));
    return table;
}

} // namespace ferrowind
