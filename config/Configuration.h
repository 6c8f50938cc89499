#pragma once

#include "config/WorkingFolders.h"

#include <string>

namespace ferrowind {

// Tool paths and folders of the Half-Life page's scripts.
struct GoldSourcePaths {
    std::string csgTool;
    std::string bspTool;
    std::string visTool;
    std::string radTool;
    std::string gameExe;
    std::string wadRoot;
    std::string bspOut;

    bool operator==(const GoldSourcePaths&) const = default;
};

// Tool paths and folders of the Half-Life 2 page's scripts.
struct SourcePaths {
    std::string bspTool;
    std::string visTool;
    std::string radTool;
    std::string gameExe;
    std::string bspOut;
    std::string bin;

    bool operator==(const SourcePaths&) const = default;
};

// The program-wide configuration, kept in Configurations.ini in the root working folder.
struct Configuration {
    GoldSourcePaths goldSource;
    SourcePaths source;
    int textColor = 7;
    int backColor = 0;
    std::string logViewer;

    bool operator==(const Configuration&) const = default;
};

inline constexpr const char* kConfigurationFileName = "Configurations.ini";

std::string configurationPath(const WorkingFolders& folders);

// The file read at start: the working folders' own; while that does not exist and the working folders are not
// the program folder's (it cannot be written), a configuration left in the program folder, read once as the
// starting point.
std::string startingConfigurationPath(const WorkingFolders& folders, const std::string& programDir);

// Every stored field; missing keys and files give the defaults. Anything but a regular file under the name, or
// a file that cannot be read, throws base::ReadError (without waiting on a pipe).
Configuration readConfiguration(const std::string& path);

// Writes the sixteen stored keys in place, leaving every other line of the file as it was; a file that already
// holds these values is left untouched. Throws base::WriteError when the file cannot be written; the old file then
// stays whole.
void writeConfiguration(const std::string& path, const Configuration& configuration);

// The log viewer a script names: the configured program when it exists, otherwise "Notepad".
std::string scriptLogViewer(const Configuration& configuration);

} // namespace ferrowind
