#pragma once

#include <string>

// One Half-Life 2 script's worth of settings, gathered from the page and the configuration.
struct TSConfig {
    std::string BspTool;
    std::string VisTool;
    std::string RadTool;
    std::string GameExe;
    std::string BspOutDir;
    std::string BinDir;
    std::string BspParams;
    std::string VisParams;
    std::string RadParams;
    std::string GameParams;
    std::string VmfFile;
    bool RunBsp = false;
    bool RunVis = false;
    bool RunRad = false;
    bool RunGame = false;
    bool DeleteLog = false;
    bool NotCopyBsp = false;
    bool OpenLog = false;
    bool Pause = false;
    bool Beep = false;
    bool Shutdown = false;
    std::string ConsoleColor;
    std::string Version;
    std::string LogViewer;
    std::string ProgramPath;
};
