#pragma once

#include <optional>
#include <string>
#include <string_view>

// Which compile tool a program is, from its file name alone, so that a runner can follow any script's tools.
namespace insight {

enum class ToolFamily {
    GoldSource, // Half-Life: csg, bsp, vis, rad
    Source, // Half-Life 2: vbsp, vvis, vrad
};

const char* familyName(ToolFamily family); // "goldsource", "source"

struct ToolKind {
    ToolFamily family = ToolFamily::GoldSource;
    std::string stage; // "csg", "bsp", "vis" or "rad"

    bool operator==(const ToolKind&) const = default;
};

// hlcsg, sdHLCSG.exe, zhlt's hlbsp_x64.exe, vbsp, vrad.exe, a full path to any of them...; nothing for programs
// that are not compile tools (the copy command, a text viewer, the game).
std::optional<ToolKind> recogniseTool(std::string_view program);

} // namespace insight
