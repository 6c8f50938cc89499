#pragma once

#include <string>

namespace ferrowind {

// The program's working folders; every path ends with a separator.
struct WorkingFolders {
    std::string rootDir; // holds Configurations.ini
    std::string programDir; // the folder the working folders live under
    std::string tempDir; // Compile.bat, Decompile.bat, the written-out decompiler
    std::string gsPresetsDir; // Half-Life presets (.gsp)
    std::string sPresetsDir; // Half-Life 2 presets (.sp)
};

WorkingFolders foldersUnder(const std::string& programDir);

// Creates each folder one level at a time; a folder that exists or cannot be made is passed over. True when
// every folder exists afterwards.
bool createWorkingFolders(const WorkingFolders& folders);

// The folder the build installs its programs into ("" when the build does not say). A program running from there
// is a system-wide install: its working folders go to the per-user data folder even when the program's folder
// can be written (by root or an administrator), so that no user's files land among the installed ones.
std::string installedProgramFolder();

#ifdef _WIN32
// Per-user data folder for an install under Program Files: %LOCALAPPDATA% with a trailing separator, so the
// working folders become %LOCALAPPDATA%\Ferrowind\; "" when it is unset or not absolute.
std::string userDataFolder(const char* localAppData);

// The folder the working folders go under: the program's own folder when it can be written and is not the
// installed one, otherwise the per-user data folder.
std::string chooseWorkingBase(const std::string& programDir, const char* localAppData,
    const std::string& installedFolder = installedProgramFolder());
#else
// Per-user data folder for a system-wide install: $XDG_DATA_HOME/ferrowind or ~/.local/share/ferrowind,
// with a trailing separator; "" when neither variable is set.
std::string userDataFolder(const char* xdgDataHome, const char* home);

// The folder the working folders go under: the program's own folder when it can be written and is not the
// installed one, otherwise (a system-wide install) the per-user data folder.
std::string chooseWorkingBase(const std::string& programDir, const char* xdgDataHome, const char* home,
    const std::string& installedFolder = installedProgramFolder());
#endif

// chooseWorkingBase with this process's environment (XDG_DATA_HOME and HOME, or LOCALAPPDATA on Windows).
std::string workingBaseFromEnvironment(const std::string& programDir);

} // namespace ferrowind
