#include "base/FolderFiles.h"

#include "base/Text.h"

#include <filesystem>
#include <system_error>

namespace base {

namespace {
bool hasExtension(const std::string& name, std::string_view extension)
{
#ifdef _WIN32
    return endsWithIgnoringCase(name, extension);
#else
    return name.ends_with(extension);
#endif
}
} // namespace

std::vector<std::string> filesWithExtension(const std::string& folder, std::string_view extension)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        if (!entries->is_regular_file(typeError))
            continue;
        const std::string name = entries->path().filename().string();
        if (hasExtension(name, extension))
            names.push_back(name.substr(0, name.size() - extension.size()));
    }
    return names;
}

} // namespace base
