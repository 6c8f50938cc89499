#include "settings/ConfigurationFields.h"

#include <array>

namespace ferrowind {

namespace {
constexpr std::array<PathField, 7> kGoldSource{{
    {"CSG.exe", "INFSSetEdit0", "INFSButton0", PathPicker::Program,
        [](Configuration& c) -> std::string& { return c.goldSource.csgTool; }},
    {"BSP.exe", "INFSSetEdit1", "INFSButton1", PathPicker::Program,
        [](Configuration& c) -> std::string& { return c.goldSource.bspTool; }},
    {"VIS.exe", "INFSSetEdit2", "INFSButton3", PathPicker::Program,
        [](Configuration& c) -> std::string& { return c.goldSource.visTool; }},
    {"RAD.exe", "INFSSetEdit3", "INFSButton4", PathPicker::Program,
        [](Configuration& c) -> std::string& { return c.goldSource.radTool; }},
    {"Game executable", "INFSSetEdit4", "INFSButton5", PathPicker::Program,
        [](Configuration& c) -> std::string& { return c.goldSource.gameExe; }},
    {"WAD root", "INFSSetEdit5", "INFSButton6", PathPicker::Folder,
        [](Configuration& c) -> std::string& { return c.goldSource.wadRoot; }},
    {"BSP output folder", "INFSSetEdit6", "INFSButton2", PathPicker::Folder,
        [](Configuration& c) -> std::string& { return c.goldSource.bspOut; }},
}};

constexpr std::array<PathField, 6> kSource{{
    {"BSP.exe", "INFSSetEdit8", "INFSDButton01", PathPicker::Program,
        [](Configuration& c) -> std::string& { return c.source.bspTool; }},
    {"VIS.exe", "INFSSetEdit9", "INFSDButton02", PathPicker::Program,
        [](Configuration& c) -> std::string& { return c.source.visTool; }},
    {"RAD.exe", "INFSSetEdit10", "INFSDButton03", PathPicker::Program,
        [](Configuration& c) -> std::string& { return c.source.radTool; }},
    {"Game executable", "INFSSetEdit11", "INFSDButton04", PathPicker::Program,
        [](Configuration& c) -> std::string& { return c.source.gameExe; }},
    {"BSP output folder", "INFSSetEdit12", "INFSDButton06", PathPicker::Folder,
        [](Configuration& c) -> std::string& { return c.source.bspOut; }},
    {"Bin folder", "INFSSetEdit13", "INFSDButton07", PathPicker::Folder,
        [](Configuration& c) -> std::string& { return c.source.bin; }},
}};
} // namespace

std::span<const PathField> goldSourcePathFields() { return kGoldSource; }
std::span<const PathField> sourcePathFields() { return kSource; }

OpenFileRequest programRequest(const std::string& current)
{
#ifdef _WIN32
    return {"Programs (*.exe)|*.exe", current, {}, false, FileKind::Tools};
#else
    return {"Programs (*)|*", current, {}, true, FileKind::Tools};
#endif
}

} // namespace ferrowind
