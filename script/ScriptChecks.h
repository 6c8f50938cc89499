#pragma once

#include "script/StagePlan.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ferrowind {

class Prompts;

enum class FindingKind {
    MapMissing, // a refusal; the Half-Life page puts the input focus on the map edit
    Refusal, // the script cannot be written as asked
    Question, // a problem the user may choose to compile despite
};

// What a check found, in the words the user reads.
struct Finding {
    FindingKind kind = FindingKind::Refusal;
    std::string text;
    bool goOnByDefault = false; // a question's default answer

    bool operator==(const Finding&) const = default;
};

// In the order they are put to the user. A check stops at a refusal, so one ends the list.
using Findings = std::vector<Finding>;

enum class CheckVerdict {
    Proceed,
    MapMissing,
    Refused,
};

// The map edit's text must name an existing map.
std::optional<Finding> mapFileFinding(const std::string& mapEdit);

// Runs the script's generator; why a value of it cannot go into a script, when it refuses.
std::optional<Finding> refusalFinding(const std::function<void()>& generate);

// A question for each selected stage whose tool file is missing.
void addStageToolFindings(const StagePlan& stages, Findings& findings);

// A question when the folder is missing.
void addFolderFinding(const std::string& folder, const std::string& problem, Findings& findings);

// Puts the findings to the user as message boxes, in order: a refusal is told; a question asks
// "<problem>\r\nContinue compilation?" and a No ends it.
CheckVerdict askAbout(const Findings& findings, Prompts& prompts);

} // namespace ferrowind
