#pragma once

#include "config/Configuration.h"
#include "source/SourceOptions.h"

#include <string>

namespace ferrowind {

// One Half-Life 2 script's worth of settings: the page's options with the map, and the configured paths.
struct SourceScriptInput {
    SourceOptions options;
    std::string vmfFile;
    SourcePaths paths;
    std::string consoleColor = "07";
    std::string version = "1.2";
    std::string logViewer = "Notepad";
    std::string programPath; // called back with "+beep"
};

SourceScriptInput sourceScriptInput(const SourceOptions& options, const std::string& vmfFile,
    const Configuration& configuration, const std::string& programPath);

} // namespace ferrowind
