#include "config/Configuration.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "platform/ProfileFile.h"

#include <array>

namespace ferrowind {

namespace {
struct TextKey {
    const char* section;
    const char* key;
    std::string* (*field)(Configuration&);
};

// Key order here is the order the keys are written in a new file.
constexpr std::array<TextKey, 13> kPathKeys{{
    {"GSPATH", "CSG", [](Configuration& c) { return &c.goldSource.csgTool; }},
    {"GSPATH", "BSP", [](Configuration& c) { return &c.goldSource.bspTool; }},
    {"GSPATH", "VIS", [](Configuration& c) { return &c.goldSource.visTool; }},
    {"GSPATH", "RAD", [](Configuration& c) { return &c.goldSource.radTool; }},
    {"GSPATH", "hl", [](Configuration& c) { return &c.goldSource.gameExe; }},
    {"GSPATH", "WADroot", [](Configuration& c) { return &c.goldSource.wadRoot; }},
    {"GSPATH", "BSPout", [](Configuration& c) { return &c.goldSource.bspOut; }},
    {"SPATH", "BSP", [](Configuration& c) { return &c.source.bspTool; }},
    {"SPATH", "VIS", [](Configuration& c) { return &c.source.visTool; }},
    {"SPATH", "RAD", [](Configuration& c) { return &c.source.radTool; }},
    {"SPATH", "hl2", [](Configuration& c) { return &c.source.gameExe; }},
    {"SPATH", "BSPout", [](Configuration& c) { return &c.source.bspOut; }},
    {"SPATH", "Bin", [](Configuration& c) { return &c.source.bin; }},
}};

constexpr const char* kSystems = "SYSTEMS";
} // namespace

std::string configurationPath(const WorkingFolders& folders) { return folders.rootDir + kConfigurationFileName; }

std::string startingConfigurationPath(const WorkingFolders& folders, const std::string& programDir)
{
    const std::string own = configurationPath(folders);
    const std::string left = configurationPath(foldersUnder(programDir));
    return !base::fileExists(own) && base::fileExists(left) ? left : own;
}

Configuration readConfiguration(const std::string& path)
{
    const ProfileFile file = ProfileFile::load(path);
    Configuration configuration;
    for (const TextKey& key : kPathKeys)
        *key.field(configuration) = base::trim(file.read(key.section, key.key));
    configuration.textColor = base::parseIntOr(file.read(kSystems, "TextColor"), 7);
    configuration.backColor = base::parseIntOr(file.read(kSystems, "BackColor"), 0);
    configuration.logViewer = base::trim(file.read(kSystems, "LogViewer"));
    return configuration;
}

void writeConfiguration(const std::string& path, const Configuration& configuration)
{
    ProfileFile file = ProfileFile::loadForUpdate(path);
    const std::string before = file.content();
    Configuration values = configuration; // the key table's accessors take a mutable record
    for (const TextKey& key : kPathKeys)
        file.write(key.section, key.key, *key.field(values));
    file.write(kSystems, "TextColor", std::to_string(configuration.textColor));
    file.write(kSystems, "BackColor", std::to_string(configuration.backColor));
    file.write(kSystems, "LogViewer", configuration.logViewer);
    // Every instance writes the file when it ends, mostly with the values it already holds: replacing it then
    // would only cost a journalled rename, which ext4 also makes flush the new file.
    if (file.content() != before)
        file.save();
}

std::string scriptLogViewer(const Configuration& configuration)
{
    return base::fileExists(configuration.logViewer) ? configuration.logViewer : "Notepad";
}

} // namespace ferrowind
