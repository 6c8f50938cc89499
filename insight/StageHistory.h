#pragma once

#include "insight/ToolKind.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How long each stage of each map took last time, kept in a small file in the working folder, for estimates of
// the time left in the next compile of the same map.
namespace insight {

inline constexpr const char* kStageHistoryFileName = "StageTimes.txt";

class StageHistory {
public:
    struct Stage {
        std::string name;
        double seconds = 0;
    };

    // A missing, unreadable or damaged file gives what could be read of it, never an error.
    static StageHistory load(const std::string& path);
    // Written atomically through base's writer; throws base::WriteError.
    void save(const std::string& path) const;

    // The stage's time in this compile of the map replaces the last one; a stage never seen before goes after
    // the map's others. Record stages that ended well: a failed stage's time says nothing about the next run.
    void recordStage(ToolFamily family, std::string_view map, std::string_view stage, double seconds);

    // The stages of the map as last timed, in the order they run.
    std::vector<Stage> stages(ToolFamily family, std::string_view map) const;

    // Seconds left: what the running stage took last time less what it has run so far (never below zero), and
    // every stage after it last time. Nothing when the map or the stage was never timed.
    std::optional<double> timeLeft(
        ToolFamily family, std::string_view map, std::string_view stage, double elapsedInStage) const;

    // "12 s", "3 min 05 s", "1 h 02 min".
    static std::string formatDuration(double seconds);

private:
    struct Entry {
        ToolFamily family;
        std::string map;
        std::vector<Stage> stages;
    };
    Entry* find(ToolFamily family, std::string_view map);
    const Entry* find(ToolFamily family, std::string_view map) const;

    std::vector<Entry> entries_;
};

} // namespace insight
