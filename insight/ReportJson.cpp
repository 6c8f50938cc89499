#include "insight/CompileReport.h"

#include <nlohmann/json.hpp>

namespace insight {

namespace {

using nlohmann::json;

json toJson(const Location& location)
{
    json object = json::object();
    auto add = [&](const char* key, const std::string& value) {
        if (!value.empty())
            object[key] = value;
    };
    add("entity", location.entity);
    add("brush", location.brush);
    add("side", location.side);
    add("position", location.position);
    add("texture", location.texture);
    add("name", location.name);
    return object;
}

json toJson(const StageReport& stage)
{
    json problems = json::array();
    for (const Problem& problem : stage.findings.problems) {
        json locations = json::array();
        for (const Location& location : problem.locations)
            locations.push_back(toJson(location));
        problems.push_back({{"rule", problem.rule}, {"severity", severityName(problem.severity)},
            {"message", problem.message}, {"explanation", problem.explanation}, {"advice", problem.advice},
            {"count", problem.count}, {"locations", locations}});
    }
    json limits = json::array();
    for (const Limit& limit : stage.findings.limits) {
        limits.push_back(
            {{"name", limit.name}, {"used", limit.used}, {"maximum", limit.maximum}, {"percent", limit.percent}});
    }
    json leak = nullptr;
    if (const auto& found = stage.findings.leak) {
        leak = {{"hull", found->hull}, {"entity", found->entity}, {"origin", found->origin},
            {"pointFile", found->pointFile}, {"lineFile", found->lineFile}};
    }
    return {{"name", stage.name}, {"tool", stage.tool}, {"seconds", stage.seconds}, {"exitCode", stage.exitCode},
        {"failed", stage.failed()}, {"failure", stage.findings.failure}, {"problems", problems}, {"leak", leak},
        {"limits", limits}};
}

} // namespace

std::string reportJson(const CompileReport& report)
{
    json stages = json::array();
    for (const StageReport& stage : report.stages)
        stages.push_back(toJson(stage));
    const json document = {{"map", report.map}, {"failed", report.failed()},
        {"copiedBsp", report.copiedBsp.empty() ? json(nullptr) : json(report.copiedBsp)}, {"stages", stages}};
    // Tool output is bytes in any encoding: what is not UTF-8 becomes U+FFFD rather than failing the report.
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

} // namespace insight
