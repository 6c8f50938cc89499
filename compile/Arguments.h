#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ferrowind {

// What `ferrowind-compile` was asked to do.
struct CompileArguments {
    std::string mapFile; // a ".map" or ".vmf", as given
    std::optional<std::string> preset; // after "-preset"
    std::string configFile; // after "--config"; "" for the working folders' own
    std::string keepScript; // after "--keep-script"; "" keeps no copy
    std::string reportFile; // after "--report"; "" writes no JSON report
    double stageTimeout = 0; // after "--stage-timeout", in seconds; 0 lets a stage run for ever
    bool help = false;
};

struct ParsedArguments {
    CompileArguments arguments;
    std::string problem; // "" when the arguments make sense
};

// Options match ignoring letter case, as on the desktop program's command line.
ParsedArguments parseCompileArguments(const std::vector<std::string>& arguments);

// The --help text, exit codes included.
extern const char* const kCompileUsage;

inline constexpr int kExitDone = 0;
inline constexpr int kExitStageFailed = 1;
inline constexpr int kExitBadRequest = 2;
inline constexpr int kExitCopyFailed = 3;

} // namespace ferrowind
