#pragma once

#include "script/OptionFields.h"

#include <string>

namespace ferrowind {

// The compile options of the "Half-Life 2 compiling" page, in their initial state.
struct SourceOptions {
    std::string bspParams;
    std::string visParams;
    std::string radParams;
    std::string gameParams;
    bool runBsp = true;
    bool runVis = true;
    bool runRad = true;
    bool runGame = true;
    bool deleteLog = false;
    bool notCopyBsp = false;
    bool openLog = false;
    bool pause = false;
    bool beep = false;
    bool shutdown = false;

    bool operator==(const SourceOptions&) const = default;
};

// Page widget, preset section and key, and default of every option, in preset order.
const OptionFields<SourceOptions>& sourceFields();

} // namespace ferrowind
