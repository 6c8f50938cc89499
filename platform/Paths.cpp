#include "platform/Paths.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {
bool EndsFolderPart(char c)
{
#ifdef _WIN32
    return c == '\\' || c == ':' || c == '/';
#else
    return c == '/';
#endif
}
}

size_t FolderPartLength(std::string_view path)
{
    for (size_t i = path.size(); i > 0; --i)
        if (EndsFolderPart(path[i - 1]))
            return i;
    return 0;
}

std::string FileNamePart(std::string_view path) { return std::string(path.substr(FolderPartLength(path))); }

std::string FolderPart(std::string_view path) { return std::string(path.substr(0, FolderPartLength(path))); }

std::string ExtensionOf(std::string_view path)
{
    const std::string name = FileNamePart(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string WithTrailingSeparator(std::string path)
{
    if (path.empty() || !EndsFolderPart(path.back()))
        path += kPathSeparator;
    return path;
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool FolderExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

bool IsWritableFolder(const std::string& folder)
{
    const std::string probe = WithTrailingSeparator(folder) + ".ferrowind-write-test";
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out)
            return false;
    }
    std::error_code error;
    std::filesystem::remove(probe, error);
    return true;
}

std::string UserDataFolder(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome != nullptr && *xdgDataHome == '/')
        return WithTrailingSeparator(std::string(xdgDataHome) + "/ferrowind");
    if (home != nullptr && *home != '\0')
        return WithTrailingSeparator(std::string(home) + "/.local/share/ferrowind");
    return {};
}
