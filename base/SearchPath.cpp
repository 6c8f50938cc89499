#include "base/SearchPath.h"

#include "base/Paths.h"

#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace base {

std::vector<std::string> searchPathFolders(std::string_view searchPath)
{
    std::vector<std::string> folders;
    while (!searchPath.empty()) {
        const size_t end = searchPath.find(kSearchPathSeparator);
        const std::string_view entry = searchPath.substr(0, end);
        searchPath.remove_prefix(end == std::string_view::npos ? searchPath.size() : end + 1);
        if (!entry.empty())
            folders.emplace_back(entry);
    }
    return folders;
}

bool isExecutableFile(const std::string& path)
{
    if (!fileExists(path))
        return false;
#ifdef _WIN32
    return true;
#else
    return access(path.c_str(), X_OK) == 0;
#endif
}

std::string findExecutable(std::string_view name, std::string_view searchPath)
{
    if (name.empty())
        return {};
    if (folderPartLength(name) > 0)
        return isExecutableFile(std::string(name)) ? std::string(name) : std::string();
    for (const std::string& folder : searchPathFolders(searchPath)) {
        const std::string candidate = (std::filesystem::path(folder) / std::filesystem::path(name)).string();
        if (isExecutableFile(candidate))
            return candidate;
    }
    return {};
}

} // namespace base
