#pragma once

#include <string>
#include <string_view>
#include <vector>

// Looking programs up the way a shell does, through a PATH-style list of folders.
namespace base {

#ifdef _WIN32
inline constexpr char kSearchPathSeparator = ';';
#else
inline constexpr char kSearchPathSeparator = ':';
#endif

// The folders of a PATH-style list, in order; empty entries are passed over, so the current folder is never
// searched by accident.
std::vector<std::string> searchPathFolders(std::string_view searchPath);

// A regular file that this system can execute.
bool isExecutableFile(const std::string& path);

// A name with a folder part is taken as a path; a bare name is looked for in each folder of the list.
// "" when there is no executable of that name.
std::string findExecutable(std::string_view name, std::string_view searchPath);

} // namespace base
