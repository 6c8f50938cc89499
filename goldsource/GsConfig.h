#pragma once

#include <string>

// One Half-Life script's worth of settings, gathered from the page and the configuration.
struct TGSConfig {
    std::string CsgTool;
    std::string BspTool;
    std::string VisTool;
    std::string RadTool;
    std::string GameExe;
    std::string WadRoot;
    std::string BspOutDir;
    std::string CsgParams;
    std::string BspParams;
    std::string VisParams;
    std::string RadParams;
    std::string GameParams;
    std::string MapFile;
    bool RunCsg = true;
    bool RunBsp = true;
    bool RunVis = true;
    bool RunRad = true;
    bool RunGame = true;
    bool DeleteP0 = false;
    bool DeleteP1 = false;
    bool DeleteP2 = false;
    bool DeleteP3 = false;
    bool DeletePrt = false;
    bool DeleteWic = false;
    bool DeleteLin = false;
    bool DeletePts = false;
    bool DeleteLog = false;
    bool CopyPts = false;
    bool NotCopyBsp = false;
    bool OpenLog = false;
    bool Pause = false;
    bool Beep = false;
    bool Shutdown = false;
    std::string ConsoleColor = "07";
    std::string Version = "1.2";
    std::string LogViewer = "Notepad";
    std::string ProgramPath;
};
