#pragma once

#include <string>

// The program's working folders; every path ends with a separator.
struct TFerrowindFolders {
    std::string RootDir;      // holds Configurations.ini
    std::string ProgramDir;   // the folder the working folders live under
    std::string TempDir;      // Compile.bat, Decompile.bat, the written-out decompiler
    std::string GSPresetsDir; // Half-Life presets (.gsp)
    std::string SPresetsDir;  // Half-Life 2 presets (.sp)
};

TFerrowindFolders FoldersUnder(const std::string& programDir);

// Computes the folders under programDir and creates each one level at a time. A folder that exists or
// cannot be made is passed over; the result says whether every folder exists afterwards.
bool System_CreateFolders(const std::string& programDir, TFerrowindFolders& folders);

// The folder the working folders go under: the program's own folder when it can be written,
// otherwise (a system-wide install) the per-user data folder.
std::string ChooseWorkingBase(const std::string& programDir, const char* xdgDataHome, const char* home);
