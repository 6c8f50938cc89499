#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace ferrowind {

// What a compile script does when a stage's tool ends with an error level of 1 or more.
enum class OnFailure {
    ErrorSection, // the later stages and the after-compilation steps are skipped for the error section
};

// One stage of a compile. A plan holds every stage of the engine in the order they run, selected or not, as
// the printed summary names them all.
struct PlannedStage {
    std::string name; // "CSG": the title, the summary and the label ("::Run csg") name the stage by it
    bool run = false;
    std::string tool;
    std::string parameters;
    OnFailure onFailure = OnFailure::ErrorSection;
};

using StagePlan = std::vector<PlannedStage>;

// Where a generated script's sections begin, as line indexes: a host follows the script's progress by
// them rather than by reading its text.
struct ScriptSections {
    struct Stage {
        size_t line; // the stage's label line
        std::string name;
    };
    std::vector<Stage> stages; // the selected stages, in order
    size_t afterStages = 0;
    size_t errorSection = 0;
    std::optional<size_t> pause;
};

} // namespace ferrowind
