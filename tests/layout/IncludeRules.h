#pragma once

#include "LayerTable.h"

#include <filesystem>
#include <string>
#include <vector>

// Checks every include of every source file in the tree against the layer table: an include may point down or
// within its room, never up or sideways; project headers are named from the root in quotes and end in .h;
// code includes neither tests nor Qt below the rooms marked for Qt; every top-level folder is in the table.
namespace layout {

struct IncludeViolation {
    std::string file; // relative to the root
    int line = 0; // 0 for a folder or a file as a whole
    std::string include;
    std::string reason;
};

std::vector<IncludeViolation> checkIncludes(const std::filesystem::path& root, const LayerTable& table);

} // namespace layout
