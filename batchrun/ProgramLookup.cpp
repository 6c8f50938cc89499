#include "batchrun/ProgramLookup.h"

#include <filesystem>
#include <fstream>

namespace batchrun {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr char kListSeparator = ';';
constexpr std::string_view kFolderSeparators = "/\\:";
#else
constexpr char kListSeparator = ':';
constexpr std::string_view kFolderSeparators = "/";
#endif

ProgramKind Classify(const fs::path& path)
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
    constexpr fs::perms anyExecute = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    if ((status.permissions() & anyExecute) != fs::perms::none)
        return ProgramKind::Native;
    return ProgramKind::Document;
}

bool IsExecutable(ProgramKind kind)
{
    return kind == ProgramKind::Native || kind == ProgramKind::Windows;
}

ResolvedProgram SearchFolders(std::string_view name, std::string_view searchPath)
{
    while (!searchPath.empty()) {
        const size_t end = searchPath.find(kListSeparator);
        const std::string_view entry = searchPath.substr(0, end);
        searchPath.remove_prefix(end == std::string_view::npos ? searchPath.size() : end + 1);
        if (entry.empty())
            continue;
        const fs::path candidate = fs::path(entry) / fs::path(name);
        if (const ProgramKind found = Classify(candidate); IsExecutable(found))
            return {found, candidate.string()};
    }
    return {};
}

} // namespace

std::string ResolvePath(std::string_view path, const std::string& folder)
{
    return (fs::path(folder) / fs::path(path)).lexically_normal().string();
}

ResolvedProgram ResolveProgram(std::string_view name, const std::string& folder, std::string_view searchPath)
{
    if (name.empty())
        return {};
    const std::string here = ResolvePath(name, folder);
    const ProgramKind kind = Classify(here);
    if (kind != ProgramKind::Missing || name.find_first_of(kFolderSeparators) != std::string_view::npos)
        return {kind, here};
    return SearchFolders(name, searchPath);
}

std::string FindOnSearchPath(std::string_view name, std::string_view searchPath)
{
    const ResolvedProgram program = SearchFolders(name, searchPath);
    return program.kind == ProgramKind::Native ? program.path : std::string();
}

} // namespace batchrun
