#include "base/Paths.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace base {

namespace {
bool endsFolderPart(char c)
{
#ifdef _WIN32
    return c == '\\' || c == ':' || c == '/';
#else
    return c == '/';
#endif
}
} // namespace

size_t folderPartLength(std::string_view path)
{
    for (size_t i = path.size(); i > 0; --i)
        if (endsFolderPart(path[i - 1]))
            return i;
    return 0;
}

std::string fileNamePart(std::string_view path) { return std::string(path.substr(folderPartLength(path))); }

std::string folderPart(std::string_view path) { return std::string(path.substr(0, folderPartLength(path))); }

std::string extensionOf(std::string_view path)
{
    const std::string name = fileNamePart(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string withTrailingSeparator(std::string path)
{
    if (path.empty() || !endsFolderPart(path.back()))
        path += kPathSeparator;
    return path;
}

bool fileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool folderExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

bool isWritableFolder(const std::string& folder)
{
    const std::string probe = withTrailingSeparator(folder) + ".ferrowind-write-test";
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out)
            return false;
    }
    std::error_code error;
    std::filesystem::remove(probe, error);
    return true;
}

} // namespace base
