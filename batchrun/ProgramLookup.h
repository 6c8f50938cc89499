#pragma once

#include <string>
#include <string_view>

namespace batchrun {

enum class ProgramKind {
    Missing,
    Native, // an executable of this system; on Windows a file with a program extension
    Windows, // outside Windows, a file starting with "MZ": it runs through Wine
    Document, // a file that is not executable: it opens with its associated program
    Folder,
};

struct ResolvedProgram {
    ProgramKind kind = ProgramKind::Missing;
    std::string path;
};

// Finds what a command's first word names. A word with a folder part is taken relative to `folder`; a bare
// name is looked for in `folder` first and then, executables only, in each folder of `searchPath`. On Windows
// a name without an extension is tried with the program extensions appended (.com, .exe, .bat, .cmd).
ResolvedProgram resolveProgram(std::string_view name, const std::string& folder, std::string_view searchPath);

// Absolute form of `path` taken relative to `folder`.
std::string resolvePath(std::string_view path, const std::string& folder);

} // namespace batchrun
