#pragma once

#include "config/WorkingFolders.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"

#include <functional>
#include <string>

namespace ferrowind {

inline constexpr const char* kBspFileFilter = "Bsp files (*.bsp)|*.bsp";
inline constexpr const char* kNoBspMessage = "BSP file is not selected, please select file...";
inline constexpr const char* kVersionQuestion = "File version is not 30! Continue?";

// The decompile page as the rules and the Decompile action read it.
struct DecompilePageState {
    std::string bspPath;
    std::string outputFolder;
    bool outputFolderChosen = false; // the user picked a folder; never cleared while the program runs
    bool extractTextures = false;
    bool brenmoor = false;
    bool autoDecompile = false;
    bool pause = false;
};

// Only ".bsp" files (any letter case) reach the page; others are passed over without a word.
bool isBspFile(const std::string& path);

// Whether the file may be taken: a version other than 30 (or a file that cannot be opened) asks the version
// question; a file too short to check is reported. False leaves the page as it was.
bool acceptBspFile(const std::string& path, Prompts& prompts);

// The output folder once a file has been taken: the file's own folder, unless the user picked one that still
// exists (then the field stays exactly as it is).
std::string outputFolderFor(const std::string& bspPath, const std::string& currentOutput, bool outputFolderChosen);

// Both texts name the same folder (the same directory on disk, or the same text when either is missing).
bool isSameFolder(const std::string& a, const std::string& b);

// The Decompile action: checks the file, provisions the decompiler from the payload, writes Decompile.bat and
// starts it. Every failure is told to the user and nothing stale is started.
void runDecompile(const DecompilePageState& page, const WorkingFolders& folders, const std::string& consoleColor,
    const std::function<std::string()>& payload, Prompts& prompts, Shell& shell);

} // namespace ferrowind
