#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ferrowind {

struct WorkingFolders;

// One engine's preset folder: a preset's name is its file's name less the extension.
struct PresetFolder {
    std::string path; // ends in a separator
    std::string extension; // ".gsp" or ".sp"

    std::string pathOf(std::string_view name) const { return path + std::string(name) + extension; }
};

PresetFolder goldSourcePresetFolder(const WorkingFolders& folders);
PresetFolder sourcePresetFolder(const WorkingFolders& folders);

// Whether `name` can only name a preset in its folder: not empty, no folder separator (either slash, and a
// drive colon on Windows), and not "." or "..". A command line's "-preset" takes names, never paths.
bool isPresetName(std::string_view name);

// The entry at the top of a page's preset list, which stands for the page's defaults rather than a file.
inline constexpr const char* kDefaultPresetEntry = "Default";

// The names of the folder's presets, in the order the file system lists them.
std::vector<std::string> presetNames(const PresetFolder& folder);

// A page's preset list: "Default", then the folder's preset names.
std::vector<std::string> presetListEntries(const PresetFolder& folder);

} // namespace ferrowind
