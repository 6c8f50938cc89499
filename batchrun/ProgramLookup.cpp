#include "batchrun/ProgramLookup.h"

#include "base/Paths.h"
#include "base/SearchPath.h"
#include "base/Text.h"

#include <filesystem>
#include <fstream>

namespace batchrun {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// The interpreter's default PATHEXT: what it appends to a name to find a program.
constexpr std::string_view kProgramExtensions[] = {".com", ".exe", ".bat", ".cmd"};

bool isProgramExtension(const std::string& extension)
{
    for (std::string_view known : kProgramExtensions)
        if (base::equalsIgnoringCase(extension, known))
            return true;
    return false;
}
#endif

ProgramKind classify(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        return ProgramKind::Missing;
    if (fs::is_directory(status))
        return ProgramKind::Folder;
#ifdef _WIN32
    // Every program is this system's own; the extension, not the content, says what is one.
    return isProgramExtension(base::extensionOf(path.string())) ? ProgramKind::Native : ProgramKind::Document;
#else
    char magic[2] = {};
    std::ifstream file(path, std::ios::binary);
    if (file.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z')
        return ProgramKind::Windows;
    constexpr fs::perms kAnyExecute = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    if ((status.permissions() & kAnyExecute) != fs::perms::none)
        return ProgramKind::Native;
    return ProgramKind::Document;
#endif
}

// What `path` names: on Windows the file itself when it has an extension, otherwise the first of the names
// with a program extension appended that exists, as the interpreter looks programs up.
ResolvedProgram lookUp(const fs::path& path)
{
#ifdef _WIN32
    const bool hasExtension = !base::extensionOf(path.string()).empty();
    if (hasExtension || fs::is_directory(path))
        return {classify(path), path.string()};
    for (std::string_view extension : kProgramExtensions) {
        fs::path candidate = path;
        candidate += extension;
        if (const ProgramKind kind = classify(candidate); kind == ProgramKind::Native)
            return {kind, candidate.string()};
    }
    return {ProgramKind::Missing, path.string()};
#else
    return {classify(path), path.string()};
#endif
}

// Only programs are looked for along the search path; documents and folders there are not found, as in the
// interpreter.
ResolvedProgram searchFolders(std::string_view name, std::string_view searchPath)
{
    for (const std::string& folder : base::searchPathFolders(searchPath)) {
        const ResolvedProgram found = lookUp(fs::path(folder) / fs::path(name));
        if (found.kind == ProgramKind::Native || found.kind == ProgramKind::Windows)
            return found;
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
    const ResolvedProgram here = lookUp(resolvePath(name, folder));
    if (here.kind != ProgramKind::Missing || base::folderPartLength(name) > 0)
        return here;
    return searchFolders(name, searchPath);
}

} // namespace batchrun
