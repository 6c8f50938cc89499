#include "config/WorkingFolders.h"

#include "base/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ferrowind {

using base::kPathSeparator;
using base::withTrailingSeparator;

WorkingFolders foldersUnder(const std::string& programDir)
{
    WorkingFolders folders;
    folders.programDir = withTrailingSeparator(programDir);
    folders.rootDir = folders.programDir + "Ferrowind" + kPathSeparator;
    folders.tempDir = folders.rootDir + "Temp" + kPathSeparator;
    folders.gsPresetsDir = folders.rootDir + "GSPresets" + kPathSeparator;
    folders.sPresetsDir = folders.rootDir + "SPresets" + kPathSeparator;
    return folders;
}

bool createWorkingFolders(const WorkingFolders& folders)
{
    bool allThere = true;
    for (const std::string* folder :
        {&folders.rootDir, &folders.tempDir, &folders.gsPresetsDir, &folders.sPresetsDir}) {
        std::error_code error;
        std::filesystem::create_directory(*folder, error);
        allThere = base::folderExists(*folder) && allThere;
    }
    return allThere;
}

std::string installedProgramFolder()
{
#ifdef FERROWIND_INSTALLED_BINDIR
    return FERROWIND_INSTALLED_BINDIR;
#else
    return {};
#endif
}

namespace {

bool isInstalledFolder(const std::string& programDir, const std::string& installedFolder)
{
    std::error_code error;
    return !installedFolder.empty() && std::filesystem::equivalent(programDir, installedFolder, error);
}

std::string workingBase(
    const std::string& programDir, const std::string& userFolder, const std::string& installedFolder)
{
    const bool portable = !isInstalledFolder(programDir, installedFolder) &&
        (base::isWritableFolder(programDir) || base::isWritableFolder(foldersUnder(programDir).rootDir));
    if (portable || userFolder.empty())
        return withTrailingSeparator(programDir);
    std::error_code error;
    std::filesystem::create_directories(userFolder, error);
    return userFolder;
}

} // namespace

#ifdef _WIN32
std::string userDataFolder(const char* localAppData)
{
    if (localAppData == nullptr || !std::filesystem::path(localAppData).is_absolute())
        return {};
    return withTrailingSeparator(localAppData);
}

std::string chooseWorkingBase(
    const std::string& programDir, const char* localAppData, const std::string& installedFolder)
{
    return workingBase(programDir, userDataFolder(localAppData), installedFolder);
}
#else
std::string userDataFolder(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome != nullptr && *xdgDataHome == '/')
        return withTrailingSeparator(std::string(xdgDataHome) + "/ferrowind");
    if (home != nullptr && *home != '\0')
        return withTrailingSeparator(std::string(home) + "/.local/share/ferrowind");
    return {};
}

std::string chooseWorkingBase(
    const std::string& programDir, const char* xdgDataHome, const char* home, const std::string& installedFolder)
{
    return workingBase(programDir, userDataFolder(xdgDataHome, home), installedFolder);
}
#endif

std::string workingBaseFromEnvironment(const std::string& programDir)
{
#ifdef _WIN32
    return chooseWorkingBase(programDir, std::getenv("LOCALAPPDATA"));
#else
    return chooseWorkingBase(programDir, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
#endif
}

} // namespace ferrowind
