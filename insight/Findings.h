#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What one stage's output says: the problems it reported, the leak, the usage of the map's limits and whether it
// failed. Plain values, filled by StageReader and carried into the compile report.
namespace insight {

enum class Severity {
    Warning, // the map compiles, but something in it is wrong or will look wrong
    Error, // the stage stopped or its result is unusable
};

const char* severityName(Severity severity); // "warning", "error"

// Where a message points, as far as it says: any of these may be empty.
struct Location {
    std::string entity; // entity number as printed
    std::string brush; // brush number within the entity
    std::string side; // side number within the brush
    std::string position; // "x y z" as printed
    std::string texture;
    std::string name; // a file, key or other name the message carries

    bool empty() const;
    bool operator==(const Location&) const = default;
};

// One rule's messages in a stage, repeated ones grouped.
struct Problem {
    std::string rule; // the rule's id, such as "texture-not-found"
    Severity severity = Severity::Warning;
    std::string message; // the first message as printed, without its "Warning: " or "Error: "
    std::string explanation; // one line: what it means
    std::string advice; // what to do
    size_t count = 0; // how many times it was printed
    std::vector<Location> locations; // the first few distinct ones
};

inline constexpr size_t kLocationsKept = 5;

// The hole in the map the BSP stage found.
struct Leak {
    std::string hull; // "0"
    std::string entity; // the classname of the entity that sees the void, as printed
    std::string origin; // "x y z" as printed
    std::string pointFile; // the .pts the tool wrote, beside the map
    std::string lineFile; // the .lin beside it
};

// One row of the usage table the tools print after writing the .bsp.
struct Limit {
    std::string name; // "clipnodes", "* worldfaces", "texdata"
    long long used = 0;
    long long maximum = 0;
    double percent = 0; // as printed

    bool operator==(const Limit&) const = default;
};

// The fullness at which a limit is reported as a problem.
inline constexpr double kLimitWarningPercent = 90.0;

struct StageFindings {
    std::vector<Problem> problems; // in the order each was first seen
    std::optional<Leak> leak;
    std::vector<Limit> limits; // the last usage table printed, every row in its order
    bool failed = false; // the output shows the stage failed, whatever its exit code
    std::string failure; // why, in a line, when failed

    // The fullest rows, fullest first (ties in table order).
    std::vector<Limit> highestLimits(size_t count) const;
};

} // namespace insight
