#pragma once

#include <string>
#include <string_view>

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Where the folder part of a path ends: after the last backslash or colon on Windows, the last slash elsewhere.
size_t FolderPartLength(std::string_view path);

// Text after the folder part.
std::string FileNamePart(std::string_view path);

// Folder part with its trailing separator ("" for a bare file name).
std::string FolderPart(std::string_view path);

// Extension of the file-name part from its last dot, dot included; "" without a dot.
std::string ExtensionOf(std::string_view path);

// Appends a separator unless the text already ends in one.
std::string WithTrailingSeparator(std::string path);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// True when a file could be created in the folder (tried, then removed).
bool IsWritableFolder(const std::string& folder);

// Per-user data folder for a system-wide install: $XDG_DATA_HOME/ferrowind or ~/.local/share/ferrowind,
// with a trailing separator; "" when neither variable is set.
std::string UserDataFolder(const char* xdgDataHome, const char* home);
