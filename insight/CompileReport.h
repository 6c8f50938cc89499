#pragma once

#include "insight/Findings.h"

#include <string>
#include <vector>

// What a whole compile did, stage by stage, for the terminal and for build servers.
namespace insight {

struct StageReport {
    std::string name; // "CSG", "BSP"..., as the runner calls it
    std::string tool; // the program that ran
    double seconds = 0; // wall time
    int exitCode = 0;
    StageFindings findings;

    bool failed() const { return exitCode != 0 || findings.failed; }
};

struct CompileReport {
    std::string map;
    std::vector<StageReport> stages;
    std::string copiedBsp; // where the .bsp was copied, when known

    bool failed() const;
};

// How many of the fullest limits the text shows.
inline constexpr size_t kLimitsShown = 3;

// A short report for a terminal: each stage's time and result, the problems with what they mean and what to do,
// the leak, the fullest limits and where the .bsp went. Lines end in LF.
std::string reportText(const CompileReport& report);

// The same as a JSON document (the README gives its schema).
std::string reportJson(const CompileReport& report);

} // namespace insight
