#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ferrowind {

enum class StartPage {
    HalfLife,
    HalfLife2
};

// What the command line asks of a starting instance, after both passes over the arguments.
struct StartupRequest {
    std::string mapFile; // last existing ".map" argument, as given
    std::string vmfFile; // last existing ".vmf" argument, as given
    StartPage page = StartPage::HalfLife; // Half-Life 2 once a ".vmf" was given
    bool runAtStart = false; // "+run"
    bool beep = false; // "+beep"
    std::vector<std::string> presets; // names after each "-preset", in order ("" when it came last)
};

// Arguments exclude the program's own path. Words match whole and ignoring letter case; map files
// must exist (`fileExists`); anything else is ignored.
StartupRequest parseCommandLine(
    const std::vector<std::string>& arguments, const std::function<bool(const std::string&)>& fileExists);

} // namespace ferrowind
