#include "presets/PresetFolder.h"

#include "base/FolderFiles.h"
#include "config/WorkingFolders.h"

namespace ferrowind {

PresetFolder goldSourcePresetFolder(const WorkingFolders& folders) { return {folders.gsPresetsDir, ".gsp"}; }

PresetFolder sourcePresetFolder(const WorkingFolders& folders) { return {folders.sPresetsDir, ".sp"}; }

bool isPresetName(std::string_view name)
{
#ifdef _WIN32
    constexpr std::string_view kSeparators = "/\\:";
#else
    constexpr std::string_view kSeparators = "/\\";
#endif
    return !name.empty() && name != "." && name != ".." && name.find_first_of(kSeparators) == std::string_view::npos;
}

std::vector<std::string> presetNames(const PresetFolder& folder)
{
    return base::filesWithExtension(folder.path, folder.extension);
}

std::vector<std::string> presetListEntries(const PresetFolder& folder)
{
    std::vector<std::string> entries{kDefaultPresetEntry};
    for (std::string& name : presetNames(folder))
        entries.push_back(std::move(name));
    return entries;
}

} // namespace ferrowind
