#pragma once

#include "app/Folders.h"
#include "app/ScriptLines.h"

#include <string>

// The program-wide configuration, kept in Configurations.ini in the root working folder.
struct TFerrowindSettings {
    std::string GSCsgTool;
    std::string GSBspTool;
    std::string GSVisTool;
    std::string GSRadTool;
    std::string GSGameExe;
    std::string GSWadRoot;
    std::string GSBspOut;
    std::string SBspTool;
    std::string SVisTool;
    std::string SRadTool;
    std::string SGameExe;
    std::string SBspOut;
    std::string SBin;
    int TextColor = 7;
    int BackColor = 0;
    std::string LogViewer;
    ScriptLines GSScript; // last generated Half-Life script; never stored
    ScriptLines SScript;  // last generated Half-Life 2 script; never stored
};

inline constexpr const char* kConfigurationFileName = "Configurations.ini";

std::string ConfigurationPath(const TFerrowindFolders& folders);

// Reads every stored field; missing keys and files give the defaults. The script lists are left alone.
void ReadConfiguration(const std::string& path, TFerrowindSettings& settings);

// Writes the sixteen stored keys in place, leaving every other line of the file as it was.
// Throws ProfileWriteError when the file cannot be written.
void WriteConfiguration(const std::string& path, const TFerrowindSettings& settings);

enum class IniMode { Read = 0, Write = 1 };

// Creates the working folders, then reads or writes the configuration file. Any other mode does neither.
// Returns false when the file could not be written.
bool System_Ini(int mode, const std::string& programDir, TFerrowindFolders& folders, TFerrowindSettings& settings);
