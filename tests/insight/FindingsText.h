#pragma once

#include "insight/Findings.h"

#include <cstdio>
#include <string>
#include <utility>

// Findings as the expected files under tests/golden/insight/ hold them: one fact a line, reviewed like code.
inline std::string findingsText(const std::string& stage, const insight::StageFindings& findings)
{
    std::string text = "stage " + stage + "\n";
    if (findings.failed)
        text += "  failed: " + findings.failure + "\n";
    for (const insight::Problem& problem : findings.problems) {
        text += "  " + std::string(insight::severityName(problem.severity)) + " " + problem.rule + " x" +
            std::to_string(problem.count) + ": " + problem.message + "\n";
        for (const insight::Location& at : problem.locations) {
            text += "    at";
            for (const auto& [key, value] : {std::pair{"entity", at.entity}, {"brush", at.brush}, {"side", at.side},
                     {"position", at.position}, {"texture", at.texture}, {"name", at.name}}) {
                if (!value.empty())
                    text += std::string(" ") + key + "=" + value;
            }
            text += "\n";
        }
    }
    if (const auto& leak = findings.leak) {
        text += "  leak hull=" + leak->hull + " entity=" + leak->entity + " origin=" + leak->origin +
            " pts=" + leak->pointFile + " lin=" + leak->lineFile + "\n";
    }
    if (!findings.limits.empty()) {
        text += "  limits " + std::to_string(findings.limits.size()) + " rows, fullest:";
        for (const insight::Limit& limit : findings.highestLimits(3)) {
            char percent[32];
            std::snprintf(percent, sizeof percent, "%.1f", limit.percent);
            text += " " + limit.name + " " + std::to_string(limit.used) + "/" + std::to_string(limit.maximum) + " (" +
                percent + "%)";
        }
        text += "\n";
    }
    return text;
}
