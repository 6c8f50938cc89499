#pragma once

#include <string>
#include <string_view>

namespace base {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Where the folder part of a path ends: after the last backslash or colon on Windows, the last slash elsewhere.
size_t folderPartLength(std::string_view path);

// Text after the folder part.
std::string fileNamePart(std::string_view path);

// Folder part with its trailing separator ("" for a bare file name).
std::string folderPart(std::string_view path);

// Extension of the file-name part from its last dot, dot included; "" without a dot.
std::string extensionOf(std::string_view path);

// Appends a separator unless the text already ends in one.
std::string withTrailingSeparator(std::string path);

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);

// True when a file could be created in the folder (tried, then removed).
bool isWritableFolder(const std::string& folder);

} // namespace base
