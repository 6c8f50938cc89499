#include "app/Configuration.h"

#include "platform/ProfileFile.h"
#include "platform/Text.h"

#include <array>
#include <string>

namespace {
struct TextKey {
    const char* section;
    const char* key;
    std::string TFerrowindSettings::*field;
};

// Key order here is the order the keys are written in a new file.
constexpr std::array<TextKey, 13> kPathKeys{{
    {"GSPATH", "CSG", &TFerrowindSettings::GSCsgTool},
    {"GSPATH", "BSP", &TFerrowindSettings::GSBspTool},
    {"GSPATH", "VIS", &TFerrowindSettings::GSVisTool},
    {"GSPATH", "RAD", &TFerrowindSettings::GSRadTool},
    {"GSPATH", "hl", &TFerrowindSettings::GSGameExe},
    {"GSPATH", "WADroot", &TFerrowindSettings::GSWadRoot},
    {"GSPATH", "BSPout", &TFerrowindSettings::GSBspOut},
    {"SPATH", "BSP", &TFerrowindSettings::SBspTool},
    {"SPATH", "VIS", &TFerrowindSettings::SVisTool},
    {"SPATH", "RAD", &TFerrowindSettings::SRadTool},
    {"SPATH", "hl2", &TFerrowindSettings::SGameExe},
    {"SPATH", "BSPout", &TFerrowindSettings::SBspOut},
    {"SPATH", "Bin", &TFerrowindSettings::SBin},
}};

constexpr const char* kSystems = "SYSTEMS";
}

std::string ConfigurationPath(const TFerrowindFolders& folders) { return folders.RootDir + kConfigurationFileName; }

void ReadConfiguration(const std::string& path, TFerrowindSettings& settings)
{
    const ProfileFile file = ProfileFile::Load(path);
    for (const TextKey& key : kPathKeys)
        settings.*key.field = Trim(file.Read(key.section, key.key));
    settings.TextColor = ParseIntOr(file.Read(kSystems, "TextColor"), 7);
    settings.BackColor = ParseIntOr(file.Read(kSystems, "BackColor"), 0);
    settings.LogViewer = Trim(file.Read(kSystems, "LogViewer"));
}

void WriteConfiguration(const std::string& path, const TFerrowindSettings& settings)
{
    ProfileFile file = ProfileFile::Load(path);
    for (const TextKey& key : kPathKeys)
        file.Write(key.section, key.key, settings.*key.field);
    file.Write(kSystems, "TextColor", std::to_string(settings.TextColor));
    file.Write(kSystems, "BackColor", std::to_string(settings.BackColor));
    file.Write(kSystems, "LogViewer", settings.LogViewer);
    file.Save();
}

bool System_Ini(int mode, const std::string& programDir, TFerrowindFolders& folders, TFerrowindSettings& settings)
{
    System_CreateFolders(programDir, folders);
    if (mode == static_cast<int>(IniMode::Read)) {
        ReadConfiguration(ConfigurationPath(folders), settings);
    } else if (mode == static_cast<int>(IniMode::Write)) {
        try {
            WriteConfiguration(ConfigurationPath(folders), settings);
        } catch (const ProfileWriteError&) {
            return false;
        }
    }
    return true;
}
