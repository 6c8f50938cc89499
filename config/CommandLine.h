#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ferrowind {

enum class StartPage {
    HalfLife,
    HalfLife2,
    Decompile
};

// What the command line asks of a starting instance, after both passes over the arguments.
struct StartupRequest {
    std::string mapFile; // last existing ".map" argument, as given
    std::string vmfFile; // last existing ".vmf" argument, as given
    std::string bspFile; // last existing ".bsp" argument, as given
    // Half-Life 2 once a ".vmf" was given; the decompile page once a ".bsp" was, whatever else came.
    StartPage page = StartPage::HalfLife;
    bool runAtStart = false; // "+run", unless the decompile page is shown: opening a ".bsp" starts nothing
    bool beep = false; // "+beep"
    std::vector<std::string> presets; // names after each "-preset", in order ("" when it came last)
};

// The --help text of the desktop program.
extern const char* const kDesktopUsage;

// Arguments exclude the program's own path. Words match whole and ignoring letter case; map files
// must exist (`fileExists`); anything else is ignored.
StartupRequest parseCommandLine(
    const std::vector<std::string>& arguments, const std::function<bool(const std::string&)>& fileExists);

} // namespace ferrowind
