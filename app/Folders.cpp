#include "app/Folders.h"

#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

TFerrowindFolders FoldersUnder(const std::string& programDir)
{
    TFerrowindFolders folders;
    folders.ProgramDir = WithTrailingSeparator(programDir);
    folders.RootDir = folders.ProgramDir + "Ferrowind" + kPathSeparator;
    folders.TempDir = folders.RootDir + "Temp" + kPathSeparator;
    folders.GSPresetsDir = folders.RootDir + "GSPresets" + kPathSeparator;
    folders.SPresetsDir = folders.RootDir + "SPresets" + kPathSeparator;
    return folders;
}

bool System_CreateFolders(const std::string& programDir, TFerrowindFolders& folders)
{
    folders = FoldersUnder(programDir);
    bool allThere = true;
    for (const std::string* folder : {&folders.RootDir, &folders.TempDir, &folders.GSPresetsDir, &folders.SPresetsDir}) {
        std::error_code error;
        std::filesystem::create_directory(*folder, error);
        allThere = FolderExists(*folder) && allThere;
    }
    return allThere;
}

std::string ChooseWorkingBase(const std::string& programDir, const char* xdgDataHome, const char* home)
{
#ifdef _WIN32
    (void)xdgDataHome;
    (void)home;
    return WithTrailingSeparator(programDir);
#else
    if (IsWritableFolder(programDir) || IsWritableFolder(FoldersUnder(programDir).RootDir))
        return WithTrailingSeparator(programDir);
    const std::string userFolder = UserDataFolder(xdgDataHome, home);
    if (userFolder.empty())
        return WithTrailingSeparator(programDir);
    std::error_code error;
    std::filesystem::create_directories(userFolder, error);
    return userFolder;
#endif
}
