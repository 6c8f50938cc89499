#include "batchrun/ProgramLookup.h"

#include "base/Paths.h"
#include "base/SearchPath.h"

#include <filesystem>
#include <fstream>

namespace batchrun {

namespace fs = std::filesystem;

namespace {

ProgramKind classify(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        return ProgramKind::Missing;
    if (fs::is_directory(status))
        return ProgramKind::Folder;
    char magic[2] = {};
    std::ifstream file(path, std::ios::binary);
    if (file.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z')
        return ProgramKind::Windows;
    constexpr fs::perms kAnyExecute = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    if ((status.permissions() & kAnyExecute) != fs::perms::none)
        return ProgramKind::Native;
    return ProgramKind::Document;
}

// Only programs are looked for along the search path; documents and folders there are not found, as in the
// interpreter.
ResolvedProgram searchFolders(std::string_view name, std::string_view searchPath)
{
    for (const std::string& folder : base::searchPathFolders(searchPath)) {
        const fs::path candidate = fs::path(folder) / fs::path(name);
        const ProgramKind kind = classify(candidate);
        if (kind == ProgramKind::Native || kind == ProgramKind::Windows)
            return {kind, candidate.string()};
    }
    return {};
}

} // namespace

std::string resolvePath(std::string_view path, const std::string& folder)
{
    return (fs::path(folder) / fs::path(path)).lexically_normal().string();
}

ResolvedProgram resolveProgram(std::string_view name, const std::string& folder, std::string_view searchPath)
{
    if (name.empty())
        return {};
    const std::string here = resolvePath(name, folder);
    const ProgramKind kind = classify(here);
    if (kind != ProgramKind::Missing || base::folderPartLength(name) > 0)
        return {kind, here};
    return searchFolders(name, searchPath);
}

} // namespace batchrun
