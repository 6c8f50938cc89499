#pragma once

#include <string>
#include <vector>

namespace ferrowind {

// One compile stage as it ran.
struct StageRecord {
    std::string name; // "CSG"
    int exitCode = 0;
    double seconds = 0; // wall time
};

// The table printed at the end of a compile: a row per stage that ran, then the whole run's time.
std::string stageTable(const std::vector<StageRecord>& stages, double totalSeconds);

} // namespace ferrowind
