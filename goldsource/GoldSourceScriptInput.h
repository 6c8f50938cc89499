#pragma once

#include "config/Configuration.h"
#include "goldsource/GoldSourceOptions.h"

#include <string>

namespace ferrowind {

// One Half-Life script's worth of settings: the page's options with the map, and the configured paths.
struct GoldSourceScriptInput {
    GoldSourceOptions options;
    std::string mapFile;
    GoldSourcePaths paths;
    std::string consoleColor = "07";
    std::string version = "1.2";
    std::string logViewer = "Notepad";
    std::string programPath; // called back with "+beep"
};

GoldSourceScriptInput goldSourceScriptInput(const GoldSourceOptions& options, const std::string& mapFile,
    const Configuration& configuration, const std::string& programPath);

} // namespace ferrowind
