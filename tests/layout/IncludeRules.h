#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The layers of the source tree: an include may point down or within its room, never up or sideways, and
// nothing below the shared Qt pieces includes Qt. The two small programs use only base.
namespace layout {

struct IncludeViolation {
    std::string file; // relative to the root
    int line = 0;
    std::string include;
    std::string reason;
};

std::vector<IncludeViolation> checkIncludes(const std::filesystem::path& root);

} // namespace layout
